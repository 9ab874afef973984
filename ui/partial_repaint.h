#pragma once
// A repaint of part of a window draws only the controls it touches. At every progress point two
// of the main window's cells change; GTK would draw every one of the window's sixty controls
// again for them (each clipped to nothing, yet each at the cost of its setting up), Windows sends
// its paint to the changed controls alone. One implementation per toolkit
// (partial_repaint_gtk.cpp, partial_repaint_msw.cpp).
#include <wx/window.h>

namespace tallyforge::ui {

// From now on, a repaint of part of window's own area draws window and those of its direct
// children that the repaint touches, and no other. Call once, after its children are created.
void RepaintOnlyTouchedChildren(wxWindow& window);

}  // namespace tallyforge::ui

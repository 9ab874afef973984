#pragma once
// Controls whose changes of state (the pointer over a button, a press) show at once, without the
// theme's transition. A control on the picture repaints the whole drawing surface with it, and a
// transition repaints every frame of its way: ten pictures for the pointer passing over a button.
// One implementation per toolkit (instant_states_gtk.cpp, instant_states_msw.cpp).
#include <wx/window.h>

namespace tallyforge {

void ShowStatesInstantly(wxWindow& control);

}  // namespace tallyforge

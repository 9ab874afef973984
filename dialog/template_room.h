#pragma once
// Whether a control may be given more room than its template rectangle. Windows draws each
// control within its rectangle, in the units of the dialog's font, as the templates were laid
// out for: there the rectangles are exact, and a control grown beyond its own (a label a pixel
// taller than its line) paints over its neighbour. GTK's controls carry their theme's padding
// and indicators, which may need more. One implementation per toolkit (template_room_gtk.cpp,
// template_room_msw.cpp).

namespace tallyforge::ui {

bool ControlsMayOutgrowTheirTemplate();

}  // namespace tallyforge::ui

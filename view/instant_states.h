#pragma once
// Controls whose changes of state (the pointer over a button, a press, a check) show at once,
// without the theme's transition, which repaints every frame of its way. A control on the prime
// view's picture repaints the whole drawing surface with it: ten pictures for the pointer passing
// over a button; in the main window, a START click's or a stress run's selection's transition
// would be repainted at the progress points of the run that follows.
// One implementation per toolkit (instant_states_gtk.cpp, instant_states_msw.cpp).
#include <wx/window.h>

namespace tallyforge {

void ShowStatesInstantly(wxWindow& control);

}  // namespace tallyforge

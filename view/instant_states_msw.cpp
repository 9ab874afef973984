// On Windows a control on the picture is a child window of the GL canvas, which clips its
// children: the control's own state fade repaints the control alone, never the drawing surface,
// so there is nothing to turn off.
#include "instant_states.h"

namespace tallyforge {

void ShowStatesInstantly(wxWindow&) {}

}  // namespace tallyforge

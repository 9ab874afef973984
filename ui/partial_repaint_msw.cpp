// Windows sends a paint to each window whose area was invalidated, and to no other.
#include "partial_repaint.h"

namespace tallyforge::ui {

void RepaintOnlyTouchedChildren(wxWindow&) {}

}  // namespace tallyforge::ui

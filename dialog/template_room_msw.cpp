#include "template_room.h"

namespace tallyforge::ui {

bool ControlsMayOutgrowTheirTemplate() { return false; }

}  // namespace tallyforge::ui

#include "template_room.h"

namespace tallyforge::ui {

bool ControlsMayOutgrowTheirTemplate() { return true; }

}  // namespace tallyforge::ui

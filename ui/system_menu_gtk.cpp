// GTK: no system menu; the About entry is on the window's context menu.
#include "system_menu.h"

namespace tallyforge::ui {

long MainWindowStyle() { return wxCAPTION; }

bool AddAboutToSystemMenu(wxTopLevelWindow&) { return false; }

}  // namespace tallyforge::ui

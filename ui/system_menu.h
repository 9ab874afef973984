#pragma once
// The window's system menu, where the platform has one: Windows gives the main window its real
// system menu with the About entry; GTK dialogs have none, so the context menu offers it.
#include <wx/toplevel.h>

namespace tallyforge::ui {

// The main window's frame style: a caption without a close box (and, on Windows, the system
// menu that carries the About entry).
long MainWindowStyle();

// Appends a separator and the About entry (command 16) to the system menu of window; false
// where there is no system menu to append to.
bool AddAboutToSystemMenu(wxTopLevelWindow& window);

}  // namespace tallyforge::ui

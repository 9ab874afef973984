// Windows: the real system menu. Its entries added through wxWidgets come back as menu commands
// with their own IDs, so command 16 reaches the dialog's event table as the context menu's does.
#include <windows.h>
#include <wx/menu.h>

#include "command_ids.h"
#include "resource.h"
#include "system_menu.h"

namespace tallyforge::ui {

// The system menu without a close box: wxWidgets leaves out SC_CLOSE when wxCLOSE_BOX is not
// given.
long MainWindowStyle() { return wxCAPTION | wxSYSTEM_MENU; }

bool AddAboutToSystemMenu(wxTopLevelWindow& window) {
  wxMenu* menu = window.MSWGetSystemMenu();
  if (menu == nullptr) return false;
  // The entry's text is string 101 of the program's resources; none, no entry.
  wchar_t text[256] = L"";
  if (LoadStringW(GetModuleHandleW(nullptr), TALLYFORGE_STRING_ABOUT_MENU, text, 256) <= 0) {
    return false;
  }
  menu->AppendSeparator();
  menu->Append(kIdAboutBox, wxString(text));
  return true;
}

}  // namespace tallyforge::ui

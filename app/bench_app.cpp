#include "bench_app.h"

#include <wx/msgdlg.h>

#include <cstdlib>

#include "bench_dlg.h"

namespace tallyforge::app {

bool CBenchApp::InitInstance() {
  // One run per folder: a window whose folder another run holds says so and ends. A folder that
  // cannot hold a lock file cannot hold the output files either; its runs report that themselves.
  m_folderLock = std::make_unique<FolderLock>(".");
  const FolderLock::State state = m_folderLock->state();
  if (state == FolderLock::State::kInUse || state == FolderLock::State::kNotAFile) {
    const std::string text = "Tallyforge cannot start: " + FolderLockText(*m_folderLock) + ".";
    // A folder name that is not UTF-8 still shows, byte by byte.
    const wxString shown = wxString::FromUTF8(text);
    wxMessageBox(shown.empty() ? wxString::From8BitData(text.c_str()) : shown, "Tallyforge",
                 wxOK | wxICON_ERROR);
    std::exit(state == FolderLock::State::kInUse ? kExitFolderInUse : 1);
  }
  ui::CBenchDlg dlg;
  SetTopWindow(&dlg);
  dlg.ShowModal();
  // The window ends the process itself (END, Enter, a close request); there is no main loop here.
  SetTopWindow(nullptr);
  return false;
}

}  // namespace tallyforge::app

#include "bench_app.h"

#include "bench_dlg.h"

namespace tallyforge::app {

bool CBenchApp::InitInstance() {
  ui::CBenchDlg dlg;
  SetTopWindow(&dlg);
  dlg.ShowModal();
  // The window ends the process itself (END, Enter, a close request); there is no main loop here.
  SetTopWindow(nullptr);
  return false;
}

}  // namespace tallyforge::app

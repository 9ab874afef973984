#pragma once
// The About box: the program's name, version and copyright, closed by OK or Esc.
#include <wx/dialog.h>

namespace tallyforge::ui {

class CAboutDlg final : public wxDialog {
 public:
  explicit CAboutDlg(wxWindow* parent = nullptr);
};

}  // namespace tallyforge::ui

#pragma once
// The info dialog: fixed program information and thanks in two read-only lists.
#include <wx/dialog.h>
#include <wx/listbox.h>

namespace tallyforge::ui {

class CInfoDlg : public wxDialog {
 public:
  enum : int { kInfoListId = 1043, kThanksListId = 1044 };

  // parent may be null: the toolkit then takes the application's top window as owner.
  explicit CInfoDlg(wxWindow* parent);

 private:
  void OnInitDialog(wxInitDialogEvent& event);

  wxListBox* m_thanksList = nullptr;
  wxListBox* m_infoList = nullptr;
};

}  // namespace tallyforge::ui

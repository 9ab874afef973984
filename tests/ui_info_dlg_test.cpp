#include <wx/listbox.h>

#include <string>
#include <vector>

#include "info_dlg.h"
#include "modal_run.h"

namespace tallyforge::ui {
namespace {

using uitest::RunModal;

std::vector<std::string> Rows(const wxDialog& dlg, int id) {
  std::vector<std::string> rows;
  const auto* list = dynamic_cast<const wxListBox*>(dlg.FindWindow(id));
  if (list == nullptr) return rows;
  for (unsigned i = 0; i < list->GetCount(); ++i) rows.push_back(list->GetString(i).ToStdString());
  return rows;
}

// The rows as the dialog must show them; nullptr marks a row whose text is ours to choose.
const std::vector<const char*> kInfoRows = {
    "VEXOR.TALLYFORGE", "", "Tests Cpu and Ram with Prime Numbers Calculation", "",
    "Software Used :", nullptr, nullptr, "",
    "The programm will test Prime Numbers up to 3.000.000.000.000",
    "Uses integer(32bit) and Double(64Bit) Variables", "", "04/05/2005 - First Release",
    "17/05/2005 - Add Total Score"};
const std::vector<const char*> kThanksRows = {"My Thanks go to:", "", nullptr, "", nullptr};

void ExpectRows(const std::vector<std::string>& shown, const std::vector<const char*>& expected) {
  ASSERT_EQ(shown.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(expected[i] ? shown[i] == expected[i] : !shown[i].empty()) << i << ": " << shown[i];
  }
}

// Closed by EXIT, then Esc, then the close box; each opening shows every row once.
TEST(InfoDialog, ListsShowTheirRowsInOrderAndExitEscOrTheCloseBoxClose) {
  for (int opening = 0; opening < 3; ++opening) {
    SCOPED_TRACE(opening);
    std::vector<std::string> info, thanks;
    wxString title;
    const wxWindow* focused = nullptr;
    int infoShown = 0, thanksShown = 0;
    CInfoDlg dlg(nullptr);
    const int result = RunModal(dlg, [&] {
      focused = wxWindow::FindFocus();
      // Every row is on screen without scrolling, in the template's list sizes.
      infoShown = static_cast<wxListBox*>(dlg.FindWindow(CInfoDlg::kInfoListId))->GetCountPerPage();
      thanksShown = static_cast<wxListBox*>(dlg.FindWindow(CInfoDlg::kThanksListId))->GetCountPerPage();
      info = Rows(dlg, CInfoDlg::kInfoListId);
      thanks = Rows(dlg, CInfoDlg::kThanksListId);
      title = dlg.GetTitle();
      if (opening == 0) {
        uitest::Screenshot(dlg, "info-dialog");
        uitest::Click(*dlg.FindWindow(wxID_OK));
      } else if (opening == 1) {
        uitest::PressKeyOn(dlg, WXK_ESCAPE);
      } else {
        dlg.Close();  // what the close box sends
      }
    });
    EXPECT_NE(result, -1);  // closed by the dialog, not ended by the test
    if (opening == 0) { EXPECT_EQ(result, wxID_OK); }
    EXPECT_EQ(title, "VEXOR.TALLYFORGE");
    EXPECT_EQ(focused, dlg.FindWindow(wxID_OK));
    ExpectRows(info, kInfoRows);
    ExpectRows(thanks, kThanksRows);
    EXPECT_GE(infoShown, 13);
    EXPECT_GE(thanksShown, 5);
  }
}

}  // namespace
}  // namespace tallyforge::ui

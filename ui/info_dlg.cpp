#include "info_dlg.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include <array>

#include "dialog_units.h"
#include "list_rows.h"

namespace tallyforge::ui {

namespace {

constexpr std::array<const char*, 13> kInfoRows = {
    "VEXOR.TALLYFORGE",
    "",
    "Tests Cpu and Ram with Prime Numbers Calculation",
    "",
    "Software Used :",
    "C++20, compiled with g++ and built with CMake",
    "wxWidgets for the windows, OpenGL (Mesa) for the pictures, GoogleTest",
    "",
    "The programm will test Prime Numbers up to 3.000.000.000.000",
    "Uses integer(32bit) and Double(64Bit) Variables",
    "",
    "04/05/2005 - First Release",
    "17/05/2005 - Add Total Score",
};

constexpr std::array<const char*, 5> kThanksRows = {
    "My Thanks go to:",
    "",
    "The developers of wxWidgets and Mesa, whose work draws every window and picture",
    "",
    "The GoogleTest and CMake communities and their forums",
};

// Each row goes to its own position, so the lists show the tables' order. They carry no sort
// style: a sorted list box takes no insertion at a position.
template <std::size_t N>
void InsertRows(wxListBox& list, const std::array<const char*, N>& rows) {
  for (unsigned position = 0; position < N; ++position) list.Insert(rows[position], position);
}

wxListBox* AddList(wxDialog& dialog, int id, DialogRect rect) {
  auto* list = new wxListBox(&dialog, id, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                             wxLB_SINGLE | wxLB_ALWAYS_SB | wxBORDER_SIMPLE);
  CompactListRows(*list);  // all the rows the template's size holds, without scrolling
  PlaceControl(*list, dialog, rect);
  return list;
}

void AddLabel(wxDialog& dialog, const wxString& text, DialogRect rect) {
  auto* label = new wxStaticText(&dialog, wxID_ANY, text);
  PlaceControl(*label, dialog, rect);
}

}  // namespace

CInfoDlg::CInfoDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "VEXOR.TALLYFORGE", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
  ApplyTemplate(*this, 342, 262);
  // Template order, which is also the tab order.
  auto* exit = new wxButton(this, wxID_OK, "EXIT");
  PlaceControl(*exit, *this, {292, 236, 50, 26});
  exit->SetDefault();
  m_infoList = AddList(*this, kInfoListId, {0, 12, 340, 112});
  AddLabel(*this, "Program Info", {0, 4, 100, 8});
  AddLabel(*this, "Thanks to...", {0, 128, 100, 8});
  m_thanksList = AddList(*this, kThanksListId, {0, 136, 340, 96});
  Bind(wxEVT_INIT_DIALOG, &CInfoDlg::OnInitDialog, this);
}

void CInfoDlg::OnInitDialog(wxInitDialogEvent& event) {
  InsertRows(*m_infoList, kInfoRows);
  InsertRows(*m_thanksList, kThanksRows);
  FindWindow(wxID_OK)->SetFocus();
  event.Skip();
}

}  // namespace tallyforge::ui

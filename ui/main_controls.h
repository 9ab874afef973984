#pragma once
// The main window's controls, made from its template onto the dialog: the ones the dialog keeps
// a hold of come back by kind.
#include <wx/bmpbuttn.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>

#include <array>
#include <map>
#include <vector>

#include "board_cell.h"
#include "result_board.h"

namespace tallyforge::ui {

struct MainControls {
  std::map<int, wxBitmapButton*> imageButtons;  // by command id: START, STOP, STRESS, END
  std::array<wxRadioButton*, kRowCount> radios{};
  std::vector<BoardCell*> cells;

  wxBitmapButton& imageButton(int id) const { return *imageButtons.at(id); }
};

// Creates every control of the template on dialog, each at its template rectangle.
MainControls CreateMainControls(wxDialog& dialog);

}  // namespace tallyforge::ui

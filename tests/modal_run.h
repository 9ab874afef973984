#pragma once
// Runs a dialog modally, as the main window's buttons do, with a test's actions while it is open.
#include <wx/dialog.h>

#include <functional>

#include "ui_test_support.h"

namespace tallyforge::uitest {

// Calls whileOpen once the dialog is on screen; whileOpen should close it. A dialog still open
// afterwards is ended with -1 and fails the test. Returns the modal result.
inline int RunModal(wxDialog& dialog, const std::function<void()>& whileOpen) {
  wxTheApp->CallAfter([&] {
    PumpUntil([&] { return dialog.IsShownOnScreen(); });
    Pump(300);
    whileOpen();
    PumpUntil([&] { return !dialog.IsModal(); }, 2000);
    if (dialog.IsModal()) {
      ADD_FAILURE() << "the dialog did not close";
      dialog.EndModal(-1);
    }
  });
  return dialog.ShowModal();
}

// A key press on the dialog, with the pointer over it so that the keys reach it.
inline void PressKeyOn(wxWindow& window, int keycode) {
  wxUIActionSimulator sim;
  sim.MouseMove(window.GetScreenRect().GetPosition() + window.GetSize() / 2);
  Pump(30);
  PressKey(keycode);
}

}  // namespace tallyforge::uitest

#pragma once
// The application object: runs the main window as a modal dialog; the window ends the program.
#include <wx/app.h>

namespace tallyforge::app {

class CBenchApp final : public wxApp {
 public:
  bool OnInit() override { return InitInstance(); }

 private:
  bool InitInstance();
};

}  // namespace tallyforge::app

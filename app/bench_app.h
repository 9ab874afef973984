#pragma once
// The application object: runs the main window as a modal dialog; the window ends the program.
#include <wx/app.h>

#include <memory>

#include "folder_lock.h"

namespace tallyforge::app {

class CBenchApp final : public wxApp {
 public:
  bool OnInit() override { return InitInstance(); }

 private:
  bool InitInstance();

  // The folder the window works in, held for the program's whole life.
  std::unique_ptr<FolderLock> m_folderLock;
};

}  // namespace tallyforge::app

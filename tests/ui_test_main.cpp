// Runs the window tests inside a real application object on the display (Xvfb in CI).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <cstdio>

#include "ui_test_support.h"

// Last: Xlib's macros would clash with the names above.
#include <X11/Xlib.h>

void tallyforge::uitest::WaitForTheDisplay() { XSync(wxGetX11Display(), False); }

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "cannot open the display; run the window tests under xvfb-run\n");
    return 1;
  }
  int result = 0;
  {
    // The windows' own loops (and the benchmarks' one-message pump) need an active event loop.
    wxEventLoopGuarantor loop;
    result = RUN_ALL_TESTS();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}

#pragma once
// Helpers for the window tests: let the toolkit run, click and type through the X server,
// take screenshots and look at their pixels.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace tallyforge::uitest {

// Lets the toolkit handle its events for about ms milliseconds.
inline void Pump(int ms = 50) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    wxTheApp->Yield(true);
    wxMilliSleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

// Handles events until done() holds or timeoutMs passes; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && std::chrono::steady_clock::now() < end) Pump(10);
  return done();
}

// A window shown, mapped and laid out on the display.
inline void ShowAndSettle(wxWindow& window) {
  window.Show();
  window.Raise();
  PumpUntil([&] { return window.IsShownOnScreen(); });
  Pump(300);
}

// A click on the control made by another client of the display, as a user's pointer makes it:
// it returns once the display has taken the click, whether or not this program runs its loop
// (so it can be made from inside a running benchmark).
inline void ClickThroughTheDisplay(const wxWindow& control, int button = 1) {
  const wxPoint at = control.GetScreenRect().GetPosition() + control.GetSize() / 2;
  const std::string command = "xdotool mousemove " + std::to_string(at.x) + " " +
                              std::to_string(at.y) + " click " + std::to_string(button);
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

// A real left click in the middle of the control, as the user makes it, and what follows.
inline void Click(const wxWindow& control) {
  ClickThroughTheDisplay(control);
  Pump(60);
}

// A key (an X key name such as Escape or Tab) pressed the same way.
inline void KeyThroughTheDisplay(const std::string& key) {
  EXPECT_EQ(std::system(("xdotool key " + key).c_str()), 0) << key;
}

// A key pressed and released on the focused window.
inline void PressKey(int keycode) {
  wxUIActionSimulator sim;
  sim.Char(keycode);
  Pump(30);
}

// The folder for the screenshots of a test run (created on demand).
inline std::filesystem::path ScreenshotDir() {
  const char* dir = std::getenv("TALLYFORGE_SCREENSHOT_DIR");
  std::filesystem::path path = dir ? dir : "screenshots";
  std::filesystem::create_directories(path);
  return path;
}

// Returns once the display has carried out everything this program asked of it (ui_test_main.cpp).
void WaitForTheDisplay();

// The window as it is on the screen, saved as PNG under name in ScreenshotDir(); an invalid
// image when the screen could not be read.
inline wxImage Screenshot(const wxWindow& window, const std::string& name) {
  // The screenshot is another client's request: ours (a picture's pixels, the controls drawn
  // over it) must have reached the screen before it.
  WaitForTheDisplay();
  const std::filesystem::path path = ScreenshotDir() / (name + ".png");
  const wxRect r = window.GetScreenRect();
  const std::string command = "import -silent -window root -crop " + std::to_string(r.width) +
                              "x" + std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                              std::to_string(r.y) + " +repage '" + path.string() + "'";
  if (std::system(command.c_str()) != 0) return wxImage();
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
  return wxImage(path.string(), wxBITMAP_TYPE_PNG);
}

// A control's rectangle within its top-level window's screenshot.
inline wxRect RectInShot(const wxWindow& control) {
  const wxWindow* top = wxGetTopLevelParent(const_cast<wxWindow*>(&control));
  wxRect r = control.GetScreenRect();
  r.Offset(-top->GetScreenPosition());
  return r;
}

// How many pixels of rect in image satisfy predicate(red, green, blue).
template <typename Predicate>
int CountWhere(const wxImage& image, const wxRect& rect, Predicate predicate) {
  int count = 0;
  const wxRect area = rect.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
  for (int y = area.y; y <= area.GetBottom(); ++y) {
    for (int x = area.x; x <= area.GetRight(); ++x) {
      count += predicate(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)) ? 1 : 0;
    }
  }
  return count;
}

// How many pixels of rect in image are within tolerance of colour.
inline int CountColour(const wxImage& image, const wxRect& rect, unsigned char red,
                       unsigned char green, unsigned char blue, int tolerance = 24) {
  return CountWhere(image, rect, [=](int r, int g, int b) {
    return std::abs(r - red) <= tolerance && std::abs(g - green) <= tolerance &&
           std::abs(b - blue) <= tolerance;
  });
}

}  // namespace tallyforge::uitest

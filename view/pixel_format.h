#pragma once
// The prime view's drawing surface: the pixel format it asks for and the set-up that reports
// when the display cannot give it.
#include <wx/glcanvas.h>

#include <functional>

namespace tallyforge {

// Shows one pixel-format failure to the user.
using PixelFormatReport = std::function<void(const wxString& message)>;
// Creates the surface on parent; nullptr when the format cannot be set on a window.
using SurfaceFactory = std::function<wxGLCanvas*(wxWindow& parent, const wxGLAttributes&)>;

// RGBA with 8 bits per colour, double-buffered, with a depth buffer.
wxGLAttributes ViewPixelFormat();

// A message box with the text alone: no owner, the toolkit's default title, an OK button.
void ShowPixelFormatMessage(const wxString& message);

// A real wxGLCanvas with the attributes, or nullptr when the toolkit could not give it a visual.
wxGLCanvas* CreateSurface(wxWindow& parent, const wxGLAttributes& attributes);

// What the view asks of the display; tests replace parts of it to reach the failures.
struct PixelFormatRequest {
  wxGLAttributes attributes = ViewPixelFormat();
  PixelFormatReport report = ShowPixelFormatMessage;
  SurfaceFactory create = CreateSurface;
};

// Creates the surface at rect on parent. When the display offers no matching format it reports
// "ChoosePixelFormat Failed", when the surface cannot take it "SetPixelFormat Failed", once,
// and returns nullptr; the caller goes on without pictures.
wxGLCanvas* SetupPixelFormat(wxWindow& parent, const wxRect& rect,
                             const PixelFormatRequest& request);

}  // namespace tallyforge

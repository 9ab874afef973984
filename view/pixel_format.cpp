#include "pixel_format.h"

#include <wx/msgdlg.h>

namespace tallyforge {

wxGLAttributes ViewPixelFormat() {
  wxGLAttributes attributes;
  // GLX matches a depth size as a minimum, where a nearest-match chooser would settle for what
  // the driver has: ask for the 24 bits that every common driver offers.
  attributes.PlatformDefaults().RGBA().MinRGBA(8, 8, 8, 0).DoubleBuffer().Depth(24).EndList();
  return attributes;
}

void ShowPixelFormatMessage(const wxString& message) {
  wxMessageBox(message, wxMessageBoxCaptionStr, wxOK, nullptr);
}

wxGLCanvas* CreateSurface(wxWindow& parent, const wxGLAttributes& attributes) {
  auto* surface = new wxGLCanvas(&parent, attributes);
  if (surface->GetXVisualInfo() == nullptr) {
    surface->Destroy();
    return nullptr;
  }
  return surface;
}

wxGLCanvas* SetupPixelFormat(wxWindow& parent, const wxRect& rect,
                             const PixelFormatRequest& request) {
  // Asked first, so that the canvas is never created with a format the display lacks.
  if (!wxGLCanvas::IsDisplaySupported(request.attributes)) {
    request.report("ChoosePixelFormat Failed");
    return nullptr;
  }
  wxGLCanvas* surface = request.create(parent, request.attributes);
  if (surface == nullptr) {
    request.report("SetPixelFormat Failed");
    return nullptr;
  }
  surface->SetSize(rect);
  return surface;
}

}  // namespace tallyforge

#include "pixel_format.h"

#include <wx/msgdlg.h>

namespace tallyforge {

void ShowPixelFormatMessage(const wxString& message) {
  wxMessageBox(message, wxMessageBoxCaptionStr, wxOK, nullptr);
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

// The pixel format on GTK (GLX).
#include "pixel_format.h"

namespace tallyforge {

wxGLAttributes ViewPixelFormat() {
  wxGLAttributes attributes;
  // GLX matches a depth size as a minimum, where a nearest-match chooser would settle for what
  // the driver has: ask for the 24 bits that every common driver offers.
  attributes.PlatformDefaults().RGBA().MinRGBA(8, 8, 8, 0).DoubleBuffer().Depth(24).EndList();
  return attributes;
}

wxGLCanvas* CreateSurface(wxWindow& parent, const wxGLAttributes& attributes) {
  auto* surface = new wxGLCanvas(&parent, attributes);
  if (surface->GetXVisualInfo() == nullptr) {
    surface->Destroy();
    return nullptr;
  }
  return surface;
}

}  // namespace tallyforge

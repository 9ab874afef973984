// The pixel format on Windows (WGL): 24-bit colour, a 32-bit depth buffer, double buffered.
#include <windows.h>

#include "pixel_format.h"

namespace tallyforge {

wxGLAttributes ViewPixelFormat() {
  wxGLAttributes attributes;
  // ChoosePixelFormat settles for the nearest format the driver has, so the 32 bits of depth
  // are asked for as they are.
  attributes.PlatformDefaults().RGBA().MinRGBA(8, 8, 8, 0).DoubleBuffer().Depth(32).EndList();
  return attributes;
}

wxGLCanvas* CreateSurface(wxWindow& parent, const wxGLAttributes& attributes) {
  auto* surface = new wxGLCanvas(&parent, attributes);
  // The window has a pixel format only when SetPixelFormat succeeded.
  if (::GetPixelFormat(surface->GetHDC()) == 0) {
    surface->Destroy();
    return nullptr;
  }
  return surface;
}

}  // namespace tallyforge

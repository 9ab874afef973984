#include "artwork.h"

#include "art/banner.xpm"
#include "art/icon_app.xpm"
#include "art/icon_end.xpm"
#include "art/icon_start.xpm"
#include "art/icon_stop.xpm"
#include "art/icon_stress.xpm"

namespace tallyforge::res {

namespace {

const char* const* ArtworkXpm(int number) {
  switch (number) {
    case kAppIcon: return icon_app_xpm;
    case kBanner: return banner_xpm;
    case kStartIcon: return icon_start_xpm;
    case kStopIcon: return icon_stop_xpm;
    case kEndIcon: return icon_end_xpm;
    case kStressIcon: return icon_stress_xpm;
    default: return nullptr;
  }
}

}  // namespace

wxBitmap Artwork(int number) {
  const char* const* xpm = ArtworkXpm(number);
  return xpm ? wxBitmap(xpm) : wxBitmap();
}

wxIcon ArtworkIcon(int number) {
  wxIcon icon;
  const wxBitmap bitmap = Artwork(number);
  if (bitmap.IsOk()) icon.CopyFromBitmap(bitmap);
  return icon;
}

}  // namespace tallyforge::res

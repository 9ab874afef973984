#pragma once
// The program's own artwork, embedded in the binary: the icons and the banner, by number.
#include <wx/bitmap.h>
#include <wx/icon.h>

#include "resource.h"

namespace tallyforge::res {

inline constexpr int kAppIcon = TALLYFORGE_ICON_APP;       // the window, task bar, About box
inline constexpr int kBanner = TALLYFORGE_BITMAP_BANNER;    // 480 x 48, across the main window
inline constexpr int kStartIcon = TALLYFORGE_ICON_START;    // START BENCH
inline constexpr int kStopIcon = TALLYFORGE_ICON_STOP;      // STOP BENCH
inline constexpr int kEndIcon = TALLYFORGE_ICON_END;        // END
inline constexpr int kStressIcon = TALLYFORGE_ICON_STRESS;  // STRESS BENCH

// The image with that number; an invalid bitmap for any other number.
wxBitmap Artwork(int number);
wxIcon ArtworkIcon(int number);

}  // namespace tallyforge::res

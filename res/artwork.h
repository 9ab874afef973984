#pragma once
// The program's own artwork, embedded in the binary: the icons and the banner, by number.
#include <wx/bitmap.h>
#include <wx/icon.h>

namespace tallyforge::res {

inline constexpr int kAppIcon = 128;     // the window, task bar and About box
inline constexpr int kBanner = 129;      // 480 x 48, across the top of the main window
inline constexpr int kStartIcon = 131;   // START BENCH
inline constexpr int kStopIcon = 132;    // STOP BENCH
inline constexpr int kEndIcon = 133;     // END
inline constexpr int kStressIcon = 136;  // STRESS BENCH

// The image with that number; an invalid bitmap for any other number.
wxBitmap Artwork(int number);
wxIcon ArtworkIcon(int number);

}  // namespace tallyforge::res

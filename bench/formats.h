#pragma once
// The board's text formats, the tick-to-seconds convention and the percentage rule.
#include <cstdint>
#include <string>

namespace tallyforge {

// Seconds per tick, a single-precision constant: 0.001000000047497451...
inline constexpr float kSecondsPerTick = 0.001f;

// Shown instead of a percentage or a score when there is no time to divide by.
inline constexpr const char* kNoTimeText = "n/a";

// Tick difference times the single-precision 0.001, the product held as a double.
double TicksToSeconds(int32_t ticks);

// "%02.04f": 12.3450.
std::string TimeText(double seconds);
// "%03d%c" with '%': 087%, -12%, 1234%.
std::string PercentText(int32_t value);
// "Time Elapsed : %02.04f sec."
std::string StatusText(double seconds);

// Truncates toward zero to a 32-bit int, saturating at the ends of its range (NaN gives 0).
int32_t TruncateToInt32(double value);

// The percent cell of a finished run: the reference cell's number (CellValue) / seconds x 100,
// truncated.
// A run of zero ticks has no usable ratio and shows kNoTimeText.
std::string PercentCellText(const std::string& referenceText, int32_t ticks);

}  // namespace tallyforge

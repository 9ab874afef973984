#include "formats.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "cell_value.h"

namespace tallyforge {
namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

}  // namespace

double TicksToSeconds(int32_t ticks) {
  return static_cast<double>(ticks) * static_cast<double>(kSecondsPerTick);
}

std::string TimeText(double seconds) { return Format("%02.04f", seconds); }

std::string PercentText(int32_t value) { return Format("%03d%c", static_cast<int>(value), '%'); }

std::string StatusText(double seconds) { return Format("Time Elapsed : %02.04f sec.", seconds); }

int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  if (value >= kMax) return std::numeric_limits<int32_t>::max();
  if (value <= kMin) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::string PercentCellText(const std::string& referenceText, int32_t ticks) {
  if (ticks == 0) return kNoTimeText;
  const double ratio = CellValue(referenceText) / TicksToSeconds(ticks) * 100;
  if (std::isnan(ratio)) return kNoTimeText;
  return PercentText(TruncateToInt32(ratio));
}

}  // namespace tallyforge

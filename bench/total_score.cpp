#include "total_score.h"

#include <cstdio>

#include "cell_value.h"
#include "formats.h"

namespace tallyforge {

std::string TotalScoreText(const ResultBoard& board) {
  float sumYour = 0;
  float sumRef = 0;
  for (int row = 1; row <= kRowCount; ++row) {
    sumYour = static_cast<float>(sumYour + CellValue(board.yourTime(row)));
  }
  for (int row = 1; row <= kRowCount; ++row) {
    sumRef = static_cast<float>(sumRef + CellValue(board.refTime(row)));
  }
  if (sumYour == 0) return kNoTimeText;
  const int32_t score =
      TruncateToInt32(static_cast<double>(sumRef) / static_cast<double>(sumYour) * 1000);
  char text[32];
  std::snprintf(text, sizeof text, "%d\n", static_cast<int>(score));
  return text;
}

}  // namespace tallyforge

#pragma once
// The stress run's total score: 1000 x the sum of the reference times / the sum of the measured.
#include <string>

#include "result_board.h"

namespace tallyforge {

// Sums the numbers (CellValue) of the nine your-time and the nine reference cells in single precision, in row
// order, and gives the truncated score as "%d\n". With a zero sum of measured times there is
// nothing to divide by, and the text is kNoTimeText.
std::string TotalScoreText(const ResultBoard& board);

}  // namespace tallyforge

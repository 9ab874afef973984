#include "formats.h"

#include <gtest/gtest.h>

#include <limits>

#include "cell_value.h"
#include "total_score.h"

namespace tallyforge {
namespace {

// Times carry the single-precision tick factor; percentages are three wide with their sign;
// the percent cell truncates the slightly small ratio and never divides by zero or overflows.
TEST(Formats, CellTextsOfTimesAndPercentages) {
  const std::pair<std::string, std::string> cases[] = {
      {TimeText(TicksToSeconds(10000)), "10.0000"},
      {TimeText(TicksToSeconds(2000000)), "2000.0001"},
      {TimeText(TicksToSeconds(1052689)), "1052.6891"},
      {TimeText(TicksToSeconds(1052688)), "1052.6880"},
      {TimeText(TicksToSeconds(5)), "0.0050"}, {TimeText(TicksToSeconds(0)), "0.0000"},
      {StatusText(TicksToSeconds(12345)), "Time Elapsed : 12.3450 sec."},
      {PercentText(87), "087%"}, {PercentText(-12), "-12%"}, {PercentText(1234), "1234%"},
      {PercentText(0), "000%"},
      {PercentCellText("10\n", 10000), "099%"}, {PercentCellText("20\n", 10000), "199%"},
      {PercentCellText("5", 10000), "049%"}, {PercentCellText("  7.5 seconds", 5000), "149%"},
      {PercentCellText("10", 0), kNoTimeText},
      {PercentCellText("1e300", 1), "2147483647%"}, {PercentCellText("-1e300", 1), "-2147483648%"},
      {PercentCellText("-1.2", 10000), "-11%"}, {PercentCellText("abc\n", 10000), "000%"},
      {PercentCellText("nan", 10000), "000%"}, {PercentCellText("0x10", 10000), "000%"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
}

// A cell is its leading decimal number, exponent included; anything else counts as 0.
TEST(CellValue, ReadsALeadingDecimalNumberOnly) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::pair<const char*, double> cases[] = {
      {"  7.5 seconds", 7.5}, {"\t\n12\r\n", 12}, {"+.5", 0.5}, {"5.", 5}, {"-1.25", -1.25},
      {"1e1", 10}, {"1.5E+2x", 150}, {"25e-1", 2.5}, {"2e", 2}, {"2e+", 2}, {"1,5", 1},
      {"0x10", 0}, {"inf", 0}, {"-infinity", 0}, {"nan", 0}, {"NaN(1)", 0}, {".", 0},
      {"-", 0}, {"e5", 0}, {"", 0}, {"1e400", kInf}, {"-1e999999999999", -kInf},
      {"1e-400", 0}, {"0.000000000000000000001e-310", 0}, {"1e-310", 1e-310},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(CellValue(text), value) << text;
  EXPECT_EQ(CellValue(std::string(400, '9')), kInf);
  EXPECT_EQ(CellValue("0." + std::string(400, '0') + "1"), 0);
}

TEST(TotalScore, IsTheTruncatedRatioOfSingleSumsAndNoneWithoutATime) {
  ResultBoard board;
  for (int row = 1; row <= kRowCount; ++row) {
    board.refTime(row) = "10\n";
    board.yourTime(row) = "10.0000";
  }
  EXPECT_EQ(TotalScoreText(board), "1000\n");
  for (int row = 1; row <= kRowCount; ++row) board.yourTime(row) = "5.0000";
  EXPECT_EQ(TotalScoreText(board), "2000\n");
  board.yourTime(9) = "";  // an empty cell counts as 0
  EXPECT_EQ(TotalScoreText(board), "2250\n");
  board.refTime(9) = "nan\n";  // so does a cell that is no number
  EXPECT_EQ(TotalScoreText(board), "2000\n");
  for (int row = 1; row <= kRowCount; ++row) board.refTime(row) = "";
  EXPECT_EQ(TotalScoreText(board), "0\n");  // no reference times
  board = ResultBoard{};
  board.refTime(1) = "10";
  EXPECT_EQ(TotalScoreText(board), kNoTimeText);  // no time measured: no score
}

}  // namespace
}  // namespace tallyforge

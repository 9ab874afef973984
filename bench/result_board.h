#pragma once
// The 29 text cells of the main window: three per benchmark row, the status line and the total.
#include <string>

namespace tallyforge {

inline constexpr int kRowCount = 9;

struct ResultBoard {
  // Declared in the window's own order of its text members.
  std::string m_yourTime1;
  std::string m_refTime1, m_refTime2, m_refTime3, m_refTime4, m_refTime5, m_refTime6, m_refTime7,
      m_refTime8, m_refTime9;
  std::string m_percent1;
  std::string m_yourTime2;
  std::string m_percent2, m_percent3, m_percent4, m_percent5, m_percent6, m_percent7, m_percent8,
      m_percent9;
  std::string m_yourTime3, m_yourTime4, m_yourTime5, m_yourTime6, m_yourTime7, m_yourTime8,
      m_yourTime9;
  std::string m_status;
  std::string m_totalScore;

  // Cells of row 1 to 9; any other row is a programming error.
  std::string& yourTime(int row);
  std::string& refTime(int row);
  std::string& percent(int row);
  const std::string& yourTime(int row) const;
  const std::string& refTime(int row) const;
  const std::string& percent(int row) const;

  bool operator==(const ResultBoard&) const = default;
};

}  // namespace tallyforge

#include "result_board.h"

#include <array>
#include <cassert>

namespace tallyforge {
namespace {

using Cell = std::string ResultBoard::*;

constexpr std::array<Cell, kRowCount> kYourTime = {
    &ResultBoard::m_yourTime1, &ResultBoard::m_yourTime2, &ResultBoard::m_yourTime3,
    &ResultBoard::m_yourTime4, &ResultBoard::m_yourTime5, &ResultBoard::m_yourTime6,
    &ResultBoard::m_yourTime7, &ResultBoard::m_yourTime8, &ResultBoard::m_yourTime9};
constexpr std::array<Cell, kRowCount> kRefTime = {
    &ResultBoard::m_refTime1, &ResultBoard::m_refTime2, &ResultBoard::m_refTime3,
    &ResultBoard::m_refTime4, &ResultBoard::m_refTime5, &ResultBoard::m_refTime6,
    &ResultBoard::m_refTime7, &ResultBoard::m_refTime8, &ResultBoard::m_refTime9};
constexpr std::array<Cell, kRowCount> kPercent = {
    &ResultBoard::m_percent1, &ResultBoard::m_percent2, &ResultBoard::m_percent3,
    &ResultBoard::m_percent4, &ResultBoard::m_percent5, &ResultBoard::m_percent6,
    &ResultBoard::m_percent7, &ResultBoard::m_percent8, &ResultBoard::m_percent9};

Cell At(const std::array<Cell, kRowCount>& column, int row) {
  assert(row >= 1 && row <= kRowCount);
  return column[static_cast<size_t>(row - 1)];
}

}  // namespace

std::string& ResultBoard::yourTime(int row) { return this->*At(kYourTime, row); }
std::string& ResultBoard::refTime(int row) { return this->*At(kRefTime, row); }
std::string& ResultBoard::percent(int row) { return this->*At(kPercent, row); }
const std::string& ResultBoard::yourTime(int row) const { return this->*At(kYourTime, row); }
const std::string& ResultBoard::refTime(int row) const { return this->*At(kRefTime, row); }
const std::string& ResultBoard::percent(int row) const { return this->*At(kPercent, row); }

}  // namespace tallyforge

#include "run_statistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tallyforge {
namespace {

// Two-sided 95% quantiles of Student's t for 1 to 30 degrees of freedom.
constexpr std::array<double, 30> kStudentT95 = {
    12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
    2.201,  2.179, 2.160, 2.145, 2.131, 2.120, 2.110, 2.101, 2.093, 2.086,
    2.080,  2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};

double StudentT95(size_t degrees) {
  return degrees <= kStudentT95.size() ? kStudentT95[degrees - 1] : 1.96;
}

}  // namespace

std::optional<double> Median(std::vector<double> values) {
  if (values.empty()) return std::nullopt;
  const size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                   values.end());
  const double upper = values[middle];
  if (values.size() % 2 == 1) return upper;
  const double lower = *std::max_element(values.begin(),
                                         values.begin() + static_cast<std::ptrdiff_t>(middle));
  return (lower + upper) / 2;
}

std::optional<double> Mean(const std::vector<double>& values) {
  if (values.empty()) return std::nullopt;
  double sum = 0;
  for (double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

std::optional<double> SampleStdDev(const std::vector<double>& values) {
  if (values.size() < 2) return std::nullopt;
  const double mean = *Mean(values);
  double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

std::optional<Summary> Summarise(const std::vector<double>& values) {
  if (values.empty()) return std::nullopt;
  Summary s;
  s.count = values.size();
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  s.min = *low;
  s.max = *high;
  s.median = *Median(values);
  s.mean = *Mean(values);
  s.stddev = SampleStdDev(values);
  if (!s.stddev) return s;
  if (s.median != 0) s.spread = (s.max - s.min) / s.median;
  const double n = static_cast<double>(s.count);
  const double halfWidth =
      StudentT95(s.count - 1) * std::sqrt(std::numbers::pi / 2) * *s.stddev / std::sqrt(n);
  s.ciLow = s.median - halfWidth;
  s.ciHigh = s.median + halfWidth;
  return s;
}

}  // namespace tallyforge

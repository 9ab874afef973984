#include "figure_text.h"

#include <cmath>
#include <cstdio>

namespace tallyforge {

std::string Figure(std::optional<double> value, const char* format) {
  if (!value || !std::isfinite(*value)) return "n/a";
  // Below 1e9 the callers' formats ("%.4f" at most) need under 20 characters.
  char text[64];
  std::snprintf(text, sizeof text, std::fabs(*value) >= 1e9 ? "%.3g" : format, *value);
  return text;
}

std::optional<int> ParseCount(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int n = std::stoi(text);
  if (n < low || n > high) return std::nullopt;
  return n;
}

}  // namespace tallyforge

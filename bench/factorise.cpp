#include "factorise.h"

#include <cmath>
#include <cstdio>

#include "prime_table.h"
#include "remainder.h"

namespace tallyforge {

void FactorNumber(double n, Factors& factors) {
  double remainder = n;
  const double limit = std::sqrt(n) + 1;
  int tried = 1;
  factors.count = 0;
  size_t position = 1;  // the entry holding 2
  for (;;) {
    const double prime = primeTable[position];
    if (Remainder(remainder, prime) != 0) {
      ++tried;
      ++position;
    } else {
      remainder = remainder / prime;
      if (factors.count < kMaxFactors) factors.values[static_cast<size_t>(factors.count++)] = prime;
    }
    if (tried > limit) {
      if (factors.count < kMaxFactors) factors.values[static_cast<size_t>(factors.count++)] = remainder;
      return;
    }
    if (remainder == 1) return;
  }
}

void FormatFactorLine(double n, const Factors& factors, char* line) {
  int used = std::snprintf(line, kFactorLineSize, "%.0f = ", n);
  const auto append = [&](const char* format, auto... args) {
    if (used < 0 || static_cast<size_t>(used) >= kFactorLineSize) return;
    used += std::snprintf(line + used, kFactorLineSize - static_cast<size_t>(used), format, args...);
  };
  if (factors.count < 2) {
    append(" Prime");
  } else {
    for (int i = 0; i < factors.count; ++i) append("  %.0f", factors.values[static_cast<size_t>(i)]);
  }
}

}  // namespace tallyforge

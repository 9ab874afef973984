#pragma once
// B9's factorisation of one number by trial division in doubles, and its line of Factors.txt.
#include <array>
#include <cstddef>

namespace tallyforge {

inline constexpr int kMaxFactors = 255;
inline constexpr size_t kFactorLineSize = 160;

struct Factors {
  std::array<double, kMaxFactors> values;
  int count = 0;
};

// Divides n by the table primes from 2 upward with the engine's remainder, dividing out each
// factor as often as it occurs. After more than sqrt(n) + 1 failed trials the remainder is appended as the last factor.
// Requires the prime table to be built.
void FactorNumber(double n, Factors& factors);

// The line for n without its newline: "1000000007 =  Prime" or "1000000001 =   7  11  13 ...".
// line must hold kFactorLineSize characters; a longer line is cut, never overrun.
void FormatFactorLine(double n, const Factors& factors, char* line);

}  // namespace tallyforge

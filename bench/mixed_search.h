#pragma once
// B8's two interleaved searches for the primes below a limit: one in 32-bit ints, one in doubles.
#include <array>
#include <cmath>
#include <cstdint>

namespace tallyforge {

// Entries 1 and 2 are preset to 2 and 3 by every run; the searches append from entry 3 while
// entries remain. Entry 0 is never used. Kept between runs.
inline constexpr int kMixedTableSize = 2000;
extern std::array<int32_t, kMixedTableSize> intPrimeTable;
extern std::array<double, kMixedTableSize> realPrimeTable;

// The state of both searches; Pass() does one pass of the loop, at most one step of each.
struct MixedSearch {
  enum class Pass { kTrial, kIntPrime, kFloatPrime, kDone };

  explicit MixedSearch(int32_t limit) : intLimit(limit), realLimit(limit) {}

  // Presets entries 1 and 2 of both tables.
  static void PresetTables() {
    intPrimeTable[1] = 2;
    intPrimeTable[2] = 3;
    realPrimeTable[1] = 2.0;
    realPrimeTable[2] = 3.0;
  }

  // kIntPrime / kFloatPrime: that search recorded a prime and the pass ended there.
  // kDone: both searches have passed the limit. kTrial: neither recorded a prime.
  Pass Step() {
    if (intCandidate < intLimit && intPrimeTable[static_cast<size_t>(intPosition)] > intRoot) {
      if (intNext < kMixedTableSize) intPrimeTable[static_cast<size_t>(intNext++)] = intCandidate;
      NextInt();
      intPosition = 1;
      return Pass::kIntPrime;
    }
    if (realCandidate < realLimit &&
        realPrimeTable[static_cast<size_t>(realPosition)] > realRoot) {
      ++found;
      if (realNext < kMixedTableSize) realPrimeTable[static_cast<size_t>(realNext++)] = realCandidate;
      realCandidate += realStep;
      realStep = 6 - realStep;
      realPosition = 1;
      realRoot = std::sqrt(realCandidate);
      return Pass::kFloatPrime;
    }
    if (intCandidate < intLimit &&
        intCandidate % intPrimeTable[static_cast<size_t>(intPosition)] == 0) {
      NextInt();
      intPosition = 0;
    }
    if (realCandidate < realLimit &&
        std::fmod(realCandidate, realPrimeTable[static_cast<size_t>(realPosition)]) == 0) {
      realPosition = 0;
      realCandidate += realStep;
      realStep = 6 - realStep;
      realRoot = std::sqrt(realCandidate);
    }
    ++intPosition;
    ++realPosition;
    if (intCandidate >= intLimit && realCandidate >= realLimit) return Pass::kDone;
    return Pass::kTrial;
  }

  int32_t intLimit;
  double realLimit;

  int32_t intCandidate = 5;
  int32_t intStep = 2;
  int32_t intRoot = 2;
  int32_t intPosition = 1;
  int32_t intNext = 3;

  double realCandidate = 5.0;
  int32_t realStep = 2;
  double realRoot = std::sqrt(5.0);
  int32_t realPosition = 1;
  int32_t realNext = 3;
  int32_t found = 2;  // 2 and 3

 private:
  void NextInt() {
    intCandidate += intStep;
    intStep = 6 - intStep;
    intRoot = static_cast<int32_t>(std::sqrt(static_cast<double>(intCandidate)));
  }
};

}  // namespace tallyforge

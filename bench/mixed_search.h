#pragma once
// B8's two tables of the primes it finds: one of 32-bit ints, one of doubles.
#include <array>
#include <cstdint>

namespace tallyforge {

// Entries 1 and 2 are preset to 2 and 3 by every run; the searches append from entry 3 while
// entries remain. Entry 0 is never used. Kept between runs.
inline constexpr int kMixedTableSize = 2000;
extern std::array<int32_t, kMixedTableSize> intPrimeTable;
extern std::array<double, kMixedTableSize> realPrimeTable;

}  // namespace tallyforge

#pragma once
// The table of the primes below 1,500,000, as doubles, that the trial divisions walk.
#include <array>
#include <cstdint>

namespace tallyforge {

// Room for 119,999 entries, numbered from 1 (entry 0 is unused): entry k is the k-th prime.
inline constexpr int kPrimeTableCapacity = 119999;
extern std::array<double, kPrimeTableCapacity + 1> primeTable;
// Number of valid entries: 0 before the build, 114,155 after it.
extern int32_t primeCount;

// Fills the table by trial division in doubles (the engine's remainder) of the odd numbers from
// 9 to 1,499,999, seeded with 2, 3, 5 and 7. Sets stopFlag to 1: the system is idle from here on.
void BuildPrimeTable();

}  // namespace tallyforge

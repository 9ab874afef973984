#pragma once
// The table of the primes up to 32,768 that the prime view's pictures are drawn from.
#include <array>
#include <cstdint>

namespace tallyforge {

inline constexpr int kPrimeFlagsLast = 32768;
// Entry k is 1 when k is prime, 0 when composite; entries 0 and 1 are left at 1 and each
// reader deals with them. One entry more than 32,768 so that 32,768 has its own.
extern std::array<uint8_t, kPrimeFlagsLast + 1> primeFlags;

// Fills primeFlags by clearing the multiples of every i from 2 to 16,384.
void BuildPrimeFlags();

}  // namespace tallyforge

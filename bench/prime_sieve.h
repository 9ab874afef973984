#pragma once
// Which numbers of a range are prime, by a segmented sieve of Eratosthenes: the checks'
// independent source of truth, sharing no code with the benchmarks' trial division.
#include <cstdint>
#include <vector>

namespace tallyforge {

// The primes up to limit, ascending, by a plain sieve.
std::vector<uint64_t> PrimesUpTo(uint64_t limit);

class RangeSieve {
 public:
  // Marks the primes of [first, last]; an empty range when first > last. Needs the primes up to
  // the square root of last, so a range up to 10^12 costs a sieve up to 10^6 plus its own span.
  RangeSieve(uint64_t first, uint64_t last);

  // Whether n is prime; n must lie in [first(), last()].
  bool IsPrime(uint64_t n) const { return m_prime[n - m_first] != 0; }
  uint64_t first() const { return m_first; }
  uint64_t last() const { return m_last; }

 private:
  uint64_t m_first;
  uint64_t m_last;
  std::vector<uint8_t> m_prime;
};

// A deterministic Miller-Rabin test, exact for every 64-bit n.
bool IsPrime64(uint64_t n);

// Wide enough for the product of two 64-bit numbers; the compiler's own type, hence __extension__.
__extension__ typedef unsigned __int128 Uint128;

}  // namespace tallyforge

#include "prime_sieve.h"

#include <algorithm>
#include <cmath>

namespace tallyforge {
namespace {

uint64_t SquareRootFloor(uint64_t n) {
  uint64_t root = static_cast<uint64_t>(std::sqrt(static_cast<double>(n)));
  while (root > 0 && root * root > n) --root;
  while ((root + 1) * (root + 1) <= n) ++root;
  return root;
}

uint64_t MultiplyMod(uint64_t a, uint64_t b, uint64_t m) {
  return static_cast<uint64_t>(static_cast<Uint128>(a) * b % m);
}

uint64_t PowerMod(uint64_t base, uint64_t exponent, uint64_t m) {
  uint64_t result = 1;
  base %= m;
  for (; exponent > 0; exponent >>= 1) {
    if (exponent & 1) result = MultiplyMod(result, base, m);
    base = MultiplyMod(base, base, m);
  }
  return result;
}

}  // namespace

std::vector<uint64_t> PrimesUpTo(uint64_t limit) {
  std::vector<uint64_t> primes;
  if (limit < 2) return primes;
  std::vector<uint8_t> composite(limit + 1, 0);
  for (uint64_t p = 2; p <= limit; ++p) {
    if (composite[p]) continue;
    primes.push_back(p);
    for (uint64_t multiple = p * p; multiple <= limit; multiple += p) composite[multiple] = 1;
  }
  return primes;
}

RangeSieve::RangeSieve(uint64_t first, uint64_t last) : m_first(first), m_last(last) {
  if (first > last) return;
  m_prime.assign(last - first + 1, 1);
  for (uint64_t n = first; n < 2 && n <= last; ++n) m_prime[n - first] = 0;
  for (uint64_t p : PrimesUpTo(SquareRootFloor(last))) {
    // The first multiple of p in the range that is not p itself.
    uint64_t multiple = std::max(p * p, (first + p - 1) / p * p);
    for (; multiple <= last; multiple += p) m_prime[multiple - first] = 0;
  }
}

bool IsPrime64(uint64_t n) {
  if (n < 2) return false;
  static constexpr uint64_t kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
  for (uint64_t p : kBases) {
    if (n % p == 0) return n == p;
  }
  uint64_t odd = n - 1;
  int twos = 0;
  for (; odd % 2 == 0; odd /= 2) ++twos;
  for (uint64_t base : kBases) {
    uint64_t x = PowerMod(base, odd, n);
    if (x == 1 || x == n - 1) continue;
    bool composite = true;
    for (int i = 1; i < twos && composite; ++i) {
      x = MultiplyMod(x, x, n);
      if (x == n - 1) composite = false;
    }
    if (composite) return false;
  }
  return true;
}

}  // namespace tallyforge

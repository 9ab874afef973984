#include "prime_flags.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tallyforge {
namespace {

bool IsPrime(int n) {
  if (n < 2) return false;
  for (int d = 2; d * d <= n; ++d) {
    if (n % d == 0) return false;
  }
  return true;
}

TEST(PrimeFlags, MarksThePrimesUpTo32768AndZeroAndOneAndRebuildsWhole) {
  BuildPrimeFlags();
  EXPECT_EQ(std::count(primeFlags.begin(), primeFlags.end(), 1), 3514);
  EXPECT_EQ(primeFlags[0] + primeFlags[1], 2);
  EXPECT_EQ(primeFlags[32768], 0);
  for (int k = 2; k <= kPrimeFlagsLast; ++k) ASSERT_EQ(primeFlags[k], IsPrime(k) ? 1 : 0) << k;
  // A rebuild restores an overwritten table.
  primeFlags.fill(0);
  primeFlags[4] = 1;
  BuildPrimeFlags();
  EXPECT_EQ(std::count(primeFlags.begin(), primeFlags.end(), 1), 3514);
  EXPECT_EQ(primeFlags[4], 0);
}

}  // namespace
}  // namespace tallyforge

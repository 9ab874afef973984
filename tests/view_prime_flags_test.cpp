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

TEST(PrimeFlags, MarksThePrimesUpTo32768AndLeavesZeroAndOneMarked) {
  BuildPrimeFlags();
  EXPECT_EQ(std::count(primeFlags.begin(), primeFlags.end(), 1), 3514);
  EXPECT_EQ(primeFlags[0], 1);
  EXPECT_EQ(primeFlags[1], 1);
  EXPECT_EQ(primeFlags[2], 1);
  EXPECT_EQ(primeFlags[3], 1);
  EXPECT_EQ(primeFlags[4], 0);
  EXPECT_EQ(primeFlags[32749], 1);
  EXPECT_EQ(primeFlags[32767], 0);  // 7 x 31 x 151
  EXPECT_EQ(primeFlags[32768], 0);
  for (int k = 2; k <= kPrimeFlagsLast; ++k) ASSERT_EQ(primeFlags[k], IsPrime(k) ? 1 : 0) << k;
}

TEST(PrimeFlags, RebuildRestoresAnOverwrittenTable) {
  BuildPrimeFlags();
  const auto built = primeFlags;
  primeFlags.fill(0);
  primeFlags[4] = 1;
  BuildPrimeFlags();
  EXPECT_EQ(primeFlags, built);
}

}  // namespace
}  // namespace tallyforge

#include "prime_table.h"

#include <gtest/gtest.h>

#include "run_control.h"

namespace tallyforge {
namespace {

TEST(PrimeTable, HoldsThePrimesBelowOnePointFiveMillion) {
  stopFlag = 0;
  BuildPrimeTable();
  EXPECT_EQ(stopFlag, 1);
  ASSERT_EQ(primeCount, 114155);
  EXPECT_EQ(primeTable[1], 2);
  EXPECT_EQ(primeTable[5], 11);  // 9 is rejected
  EXPECT_EQ(primeTable[100], 541);
  EXPECT_EQ(primeTable[1000], 7919);
  EXPECT_EQ(primeTable[10000], 104729);
  EXPECT_EQ(primeTable[100000], 1299709);
  EXPECT_EQ(primeTable[114155], 1499977);
  EXPECT_EQ(primeTable[114156], 0);  // 1,500,001 is never tested
  for (int k = 2; k <= primeCount; ++k) ASSERT_LT(primeTable[k - 1], primeTable[k]) << k;
}

}  // namespace
}  // namespace tallyforge

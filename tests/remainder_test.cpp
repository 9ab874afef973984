// The engine's remainder against the C library's fmod, bit for bit, on the values the benchmarks
// divide: a different bit would change a benchmark's work or its files.
#include "remainder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "mixed_search.h"
#include "test_support.h"

namespace tallyforge {
namespace {

bool SameBits(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

// Both of the engine's routines, whichever one this build uses, against fmod.
::testing::AssertionResult SameAsLibrary(double x, double y) {
  const double expected = std::fmod(x, y);
  if (!SameBits(PortableRemainder(x, y), expected)) {
    return ::testing::AssertionFailure() << "portable(" << x << ", " << y << ") = "
                                         << PortableRemainder(x, y) << ", fmod " << expected;
  }
#if defined(__i386__) || defined(__x86_64__)
  if (!SameBits(X87Remainder(x, y), expected)) {
    return ::testing::AssertionFailure() << "x87(" << x << ", " << y << ") = "
                                         << X87Remainder(x, y) << ", fmod " << expected;
  }
#endif
  return ::testing::AssertionSuccess();
}

// The first table entry above sqrt(x): the last divisor a trial division of x can reach.
int LastDivisor(double x) {
  const auto end = primeTable.begin() + primeCount + 1;
  return static_cast<int>(std::upper_bound(primeTable.begin() + 1, end, std::sqrt(x)) -
                          primeTable.begin());
}

// Candidates from start in the benchmarks' steps (4, 2, 4, 2, ...), up to end.
std::vector<double> Candidates(double start, double end) {
  std::vector<double> all;
  int step = 4;
  for (double c = start; c <= end; c += step, step = 6 - step) all.push_back(c);
  return all;
}

TEST(Remainder, EdgeValuesAsTheLibraryGivesThem) {
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double pairs[][2] = {
      {9, 3},     {10, 3},    {2, 3},      {3, 3},        {0, 7},      {-0.0, 7},
      {-10, 3},   {10, -3},   {-10, -3},   {1e300, 3},    {kMax, 7},   {kMax, kTiny},
      {1, kTiny}, {kTiny, 2}, {5.5, 0.25}, {1e12, 999983}, {7, kInf},  {1e15 + 1, 2},
  };
  for (const auto& [x, y] : pairs) EXPECT_TRUE(SameAsLibrary(x, y));
  for (const auto& [x, y] : {std::pair{kInf, 3.0}, {3.0, 0.0}, {std::nan(""), 3.0}, {3.0, kInf}}) {
    EXPECT_TRUE(SameAsLibrary(x, y));
  }
  EXPECT_TRUE(SameAsLibrary(3.0, std::nan("")));
}

// Every range's first and last candidates, and a sample of the rest, against every divisor its
// trial division can reach; the divisor table's own build at its ends; B8's float search; B9's
// numbers and its progress test.
TEST(Remainder, SameAsTheLibraryOnEveryBenchmarksValues) {
  testing::EnsurePrimeTable();
  std::mt19937_64 random(20261208);
  const Workload work = Workload::Standard();
  // xs[first] to xs[first + count - 1] against the table's first divisors(x) entries.
  auto checkAll = [](const std::vector<double>& xs, size_t first, size_t count, auto divisors) {
    for (size_t i = first; i < first + count && i < xs.size(); ++i) {
      for (int j = 1; j <= divisors(xs[i]); ++j) {
        ASSERT_TRUE(SameAsLibrary(xs[i], primeTable[static_cast<size_t>(j)]));
      }
    }
  };
  for (const RangeSpec& range : work.ranges) {
    const std::vector<double> xs = Candidates(range.start, range.end);
    checkAll(xs, 0, 12, LastDivisor);
    checkAll(xs, xs.size() - 12, 12, LastDivisor);
    for (int k = 0; k < 100000; ++k) {
      const double x = xs[random() % xs.size()];
      ASSERT_TRUE(SameAsLibrary(x, primeTable[1 + random() % static_cast<size_t>(LastDivisor(x))]));
    }
  }
  // The table's build: its first and last candidates, and its entries against one another.
  std::vector<double> odd;
  for (double v = 9; v < 1500000; v += 2) odd.push_back(v);
  checkAll(odd, 0, 200, LastDivisor);
  checkAll(odd, odd.size() - 200, 200, LastDivisor);
  for (int k = 1; k <= primeCount; k += 97) {
    for (int j : {1, 2, 3, k, primeCount}) {
      ASSERT_TRUE(SameAsLibrary(primeTable[static_cast<size_t>(k)],
                                primeTable[static_cast<size_t>(j)]));
    }
  }
  // B8: candidates below its limit against the first entries of its table, the first primes.
  const std::vector<double> mixed = Candidates(5, work.mixedLimit - 1);
  for (size_t i : {size_t{0}, size_t{1}, mixed.size() - 2, mixed.size() - 1}) {
    for (int j = 1; j < kMixedTableSize; ++j) {
      ASSERT_TRUE(SameAsLibrary(mixed[i], primeTable[static_cast<size_t>(j)]));
    }
  }
  // B9: its first and last numbers against every prime its limit lets it try, and every number's
  // progress test.
  std::vector<double> numbers;
  for (double n = work.factorFirst; n <= work.factorLast; n += 1) numbers.push_back(n);
  const auto limit = [](double) { return 31625; };  // its tried-count limit, sqrt(n) + 1, and one
  checkAll(numbers, 0, 8, limit);
  checkAll(numbers, numbers.size() - 8, 8, limit);
  for (double n : numbers) ASSERT_TRUE(SameAsLibrary(n, 1000));
}

}  // namespace
}  // namespace tallyforge

#pragma once
// The fixed work of the nine benchmarks, as data: tests run shorter work through the same code.
#include <array>
#include <cstdint>
#include <string>

namespace tallyforge {

inline constexpr int kRangeBenchCount = 7;  // B1 to B7
inline constexpr int kMixedBench = 8;       // B8
inline constexpr int kFactorBench = 9;      // B9

// One range benchmark: its candidates run from start to end; progress every reportInterval primes.
struct RangeSpec {
  double start;
  double end;
  int32_t reportInterval;
  bool operator==(const RangeSpec&) const = default;
};

struct Workload {
  std::array<RangeSpec, kRangeBenchCount> ranges;  // row r is ranges[r - 1]
  int32_t mixedLimit;  // B8 searches the primes below this
  double factorFirst;  // B9 factors the numbers from factorFirst to factorLast
  double factorLast;

  // The work every published time stands for.
  static Workload Standard();
  // The standard work cut short, for tests: each range its first rangeLength numbers with a
  // progress point every reportInterval primes, B8 below mixedLimit, B9 from factorFirst to
  // factorLast.
  static Workload Short(double rangeLength, int32_t reportInterval, int32_t mixedLimit,
                        double factorFirst, double factorLast);
  bool operator==(const Workload&) const = default;
};

// "Numbers_%013.0f.txt" for the range that starts at start.
std::string NumbersFileName(double start);
inline constexpr const char* kFactorsFileName = "Factors.txt";

// "B1" to "B9".
std::string BenchmarkName(int bench);

}  // namespace tallyforge

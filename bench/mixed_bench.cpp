// B8: both searches for the primes below ten million, taking turns within one loop.
#include <cmath>
#include <cstdint>
#include <limits>

#include "bench_engine.h"
#include "bench_run.h"
#include "mixed_search.h"
#include "remainder.h"
#include "run_control.h"

namespace tallyforge {

std::array<int32_t, kMixedTableSize> intPrimeTable{};
std::array<double, kMixedTableSize> realPrimeTable{};

// The searches' state lives in locals, where the compiler keeps it in registers across the
// table stores, and each pass ends where the search that recorded a prime ends it.
RunOutcome BenchEngine::RunMixedBench() {
  BenchRun run(*this, kMixedBench);
  intPrimeTable[1] = 2;
  intPrimeTable[2] = 3;
  realPrimeTable[1] = 2.0;
  realPrimeTable[2] = 3.0;
  run.StartTiming();

  const int32_t intLimit = m_workload.mixedLimit;
  int32_t intCandidate = 5;
  int32_t intStep = 2;
  int32_t intRoot = 2;
  int32_t intPosition = 1;
  int32_t intNext = 3;
  const double realLimit = intLimit;
  double realCandidate = 5.0;
  int32_t realStep = 2;
  double realRoot = std::sqrt(5.0);
  int32_t realPosition = 1;
  int32_t realNext = 3;
  int32_t found = 2;  // 2 and 3
  // The loop ends in a pass where neither search recorded a prime, once both candidates have
  // reached these. A STOP can arrive only in a progress point's dispatch; from then on they are
  // at their lowest, so that the next such pass ends the loop, as a test of stopFlag in every
  // such pass would, without that test's cost in every pass.
  int32_t intEnd = intLimit;
  double realEnd = realLimit;
  for (;;) {
    if (intCandidate < intLimit && intPrimeTable[static_cast<size_t>(intPosition)] > intRoot) {
      if (intNext < kMixedTableSize) intPrimeTable[static_cast<size_t>(intNext++)] = intCandidate;
      intCandidate += intStep;
      intStep = 6 - intStep;
      intRoot = static_cast<int32_t>(std::sqrt(static_cast<double>(intCandidate)));
      intPosition = 1;
      continue;
    }
    if (realCandidate < realLimit &&
        realPrimeTable[static_cast<size_t>(realPosition)] > realRoot) {
      ++found;
      if (realNext < kMixedTableSize) realPrimeTable[static_cast<size_t>(realNext++)] = realCandidate;
      realCandidate += realStep;
      realStep = 6 - realStep;
      realPosition = 1;
      realRoot = std::sqrt(realCandidate);
      if (found % 10000 == 0) {
        run.ReportProgress(TruncateToInt32(realCandidate * 0.0000001 * 100));
        if (stopFlag != 0) {
          intEnd = std::numeric_limits<int32_t>::min();
          realEnd = -std::numeric_limits<double>::infinity();
        }
      }
      continue;
    }
    if (intCandidate < intLimit &&
        intCandidate % intPrimeTable[static_cast<size_t>(intPosition)] == 0) {
      intCandidate += intStep;
      intStep = 6 - intStep;
      intRoot = static_cast<int32_t>(std::sqrt(static_cast<double>(intCandidate)));
      intPosition = 0;
    }
    if (realCandidate < realLimit &&
        Remainder(realCandidate, realPrimeTable[static_cast<size_t>(realPosition)]) == 0) {
      realPosition = 0;
      realCandidate += realStep;
      realStep = 6 - realStep;
      realRoot = std::sqrt(realCandidate);
    }
    ++intPosition;
    ++realPosition;
    if (intCandidate >= intEnd && realCandidate >= realEnd) break;
  }
  const bool stopped = intCandidate < intLimit || realCandidate < realLimit;
  return run.Finish(found, stopped, {intCandidate, realCandidate, intNext - 1, realNext - 1});
}

}  // namespace tallyforge

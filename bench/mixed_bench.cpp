// B8: both searches for the primes below ten million, taking turns within one loop.
#include <cmath>
#include <cstdint>

#include "bench_engine.h"
#include "bench_run.h"
#include "mixed_search.h"
#include "remainder.h"
#include "run_control.h"

namespace tallyforge {

std::array<int32_t, kMixedTableSize> intPrimeTable{};
std::array<double, kMixedTableSize> realPrimeTable{};

namespace {

// Where both searches stand between two runs of passes.
struct Searches {
  int32_t intCandidate = 5;
  int32_t intStep = 2;
  int32_t intRoot = 2;
  int32_t intPosition = 1;
  int32_t intNext = 3;
  double realCandidate = 5.0;
  int32_t realStep = 2;
  double realRoot = std::sqrt(5.0);
  int32_t realPosition = 1;
  int32_t realNext = 3;
  int32_t found = 2;  // 2 and 3
};

// Runs passes until a progress point is due (true) or the loop ends (false): once both
// candidates have reached the limit, or, when stopping, at the first pass in which neither
// search records a prime, where the stop test is. A STOP can arrive only in a progress point's
// dispatch, so the passes between two progress points need no test of stopFlag. The state is
// copied into a local of a function that calls nothing, and the progress point is marked as the
// rare way out, so that the compiler keeps the searches in registers: the passes then cost what
// a loop written straight through costs.
template <bool kStopping>
[[gnu::noinline]] bool RunPasses(Searches& where, int32_t intLimit) {
  Searches s = where;
  const double realLimit = intLimit;
  bool progress = false;
  for (;;) {
    if (s.intCandidate < intLimit &&
        intPrimeTable[static_cast<size_t>(s.intPosition)] > s.intRoot) {
      if (s.intNext < kMixedTableSize) {
        intPrimeTable[static_cast<size_t>(s.intNext++)] = s.intCandidate;
      }
      s.intCandidate += s.intStep;
      s.intStep = 6 - s.intStep;
      s.intRoot = static_cast<int32_t>(std::sqrt(static_cast<double>(s.intCandidate)));
      s.intPosition = 1;
      continue;
    }
    if (s.realCandidate < realLimit &&
        realPrimeTable[static_cast<size_t>(s.realPosition)] > s.realRoot) {
      ++s.found;
      if (s.realNext < kMixedTableSize) {
        realPrimeTable[static_cast<size_t>(s.realNext++)] = s.realCandidate;
      }
      s.realCandidate += s.realStep;
      s.realStep = 6 - s.realStep;
      s.realPosition = 1;
      s.realRoot = std::sqrt(s.realCandidate);
      if (s.found % 10000 == 0) [[unlikely]] {
        progress = true;
        break;
      }
      continue;
    }
    if (s.intCandidate < intLimit &&
        s.intCandidate % intPrimeTable[static_cast<size_t>(s.intPosition)] == 0) {
      s.intCandidate += s.intStep;
      s.intStep = 6 - s.intStep;
      s.intRoot = static_cast<int32_t>(std::sqrt(static_cast<double>(s.intCandidate)));
      s.intPosition = 0;
    }
    if (s.realCandidate < realLimit &&
        Remainder(s.realCandidate, realPrimeTable[static_cast<size_t>(s.realPosition)]) == 0) {
      s.realPosition = 0;
      s.realCandidate += s.realStep;
      s.realStep = 6 - s.realStep;
      s.realRoot = std::sqrt(s.realCandidate);
    }
    ++s.intPosition;
    ++s.realPosition;
    if (kStopping || (s.intCandidate >= intLimit && s.realCandidate >= realLimit)) break;
  }
  where = s;
  return progress;
}

}  // namespace

RunOutcome BenchEngine::RunMixedBench() {
  BenchRun run(*this, kMixedBench);
  intPrimeTable[1] = 2;
  intPrimeTable[2] = 3;
  realPrimeTable[1] = 2.0;
  realPrimeTable[2] = 3.0;
  run.StartTiming();

  const int32_t limit = m_workload.mixedLimit;
  Searches s;
  const auto progress = [&] {
    run.ReportProgress(TruncateToInt32(s.realCandidate * 0.0000001 * 100));
  };
  while (RunPasses<false>(s, limit)) {
    progress();
    if (stopFlag != 0) {
      while (RunPasses<true>(s, limit)) progress();
      break;
    }
  }
  const bool stopped = s.intCandidate < limit || s.realCandidate < limit;
  return run.Finish(s.found, stopped,
                    {s.intCandidate, s.realCandidate, s.intNext - 1, s.realNext - 1});
}

}  // namespace tallyforge

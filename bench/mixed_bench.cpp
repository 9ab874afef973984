// B8: both searches for the primes below ten million, taking turns within one loop.
#include "bench_engine.h"
#include "mixed_search.h"

namespace tallyforge {

std::array<int32_t, kMixedTableSize> intPrimeTable{};
std::array<double, kMixedTableSize> realPrimeTable{};

RunOutcome BenchEngine::RunMixedBench() {
  RunOutcome outcome;
  outcome.bench = kMixedBench;
  MixedSearch::PresetTables();
  BeginTiming();
  MixedSearch search(m_workload.mixedLimit);
  for (;;) {
    const MixedSearch::Pass pass = search.Step();
    if (pass == MixedSearch::Pass::kTrial) {
      if (StopRequested()) {
        outcome.stopped = true;
        break;
      }
    } else if (pass == MixedSearch::Pass::kFloatPrime) {
      if (search.found % 10000 == 0) {
        ReportProgress(kMixedBench, TruncateToInt32(search.realCandidate * 0.0000001 * 100));
      }
    } else if (pass == MixedSearch::Pass::kDone) {
      break;
    }
  }
  outcome.ticks = ElapsedTicks();
  outcome.ran = true;
  outcome.found = search.found;
  outcome.mixed = {search.intCandidate, search.realCandidate, search.intNext - 1,
                   search.realNext - 1};
  FinishRow(outcome);
  return outcome;
}

}  // namespace tallyforge

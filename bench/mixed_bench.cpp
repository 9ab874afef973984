// B8: both searches for the primes below ten million, taking turns within one loop.
#include "bench_engine.h"
#include "bench_run.h"
#include "mixed_search.h"
#include "run_control.h"

namespace tallyforge {

std::array<int32_t, kMixedTableSize> intPrimeTable{};
std::array<double, kMixedTableSize> realPrimeTable{};

RunOutcome BenchEngine::RunMixedBench() {
  BenchRun run(*this, kMixedBench);
  MixedSearch::PresetTables();
  run.StartTiming();
  MixedSearch search(m_workload.mixedLimit);
  bool stopped = false;
  for (;;) {
    const MixedSearch::Pass pass = search.Step();
    if (pass == MixedSearch::Pass::kTrial) {
      if (StopRequested()) {
        stopped = true;
        break;
      }
    } else if (pass == MixedSearch::Pass::kFloatPrime) {
      if (search.found % 10000 == 0) {
        run.ReportProgress(TruncateToInt32(search.realCandidate * 0.0000001 * 100));
      }
    } else if (pass == MixedSearch::Pass::kDone) {
      break;
    }
  }
  return run.Finish(search.found, stopped,
                    {search.intCandidate, search.realCandidate, search.intNext - 1,
                     search.realNext - 1});
}

}  // namespace tallyforge

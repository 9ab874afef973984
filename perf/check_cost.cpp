// Prints what checking each benchmark's result costs against the benchmark's own time: the run
// through a host that does nothing, then VerifyRun on what it left, each timed on its own.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench_engine.h"
#include "formats.h"
#include "null_host.h"
#include "scratch_dir.h"
#include "prime_table.h"
#include "verification.h"

int main(int argc, char** argv) {
  using namespace tallyforge;
  std::vector<int> benches;
  for (int i = 1; i < argc; ++i) benches.push_back(std::atoi(argv[i]));
  if (benches.empty()) benches = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  const tallyforge::testing::ScratchDir scratch("tallyforge-check-cost");
  const auto& dir = scratch.path();
  if (dir.empty()) return 1;
  BuildPrimeTable();
  std::printf("%-4s %12s %12s %9s  %s\n", "", "bench s", "check s", "check %", "result");
  int status = 0;
  for (int bench : benches) {
    if (bench < 1 || bench > kRowCount) continue;
    perf::NullHost host(bench);
    BenchEngine engine(host, dir);
    const RunOutcome outcome = engine.OnStartBench();
    const Verification check = VerifyRun(outcome, engine.workload());
    const double benchSeconds = TicksToSeconds(outcome.ticks);
    std::printf("B%-3d %12.3f %12.4f %8.2f%%  %s\n", bench, benchSeconds, check.seconds,
                benchSeconds > 0 ? check.seconds / benchSeconds * 100 : 0.0,
                check.ok() ? "verified" : VerificationText(check).c_str());
    std::fflush(stdout);
    if (!check.ok()) status = 1;
  }
  return status;
}

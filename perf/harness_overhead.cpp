// Prints how much the engine's harness costs inside the timed stretch: each benchmark through
// the runner's hosts (the recorder in front of the terminal host, as a session runs it), through
// a host that does nothing, and as a straight hand-written loop doing the identical work.
// With --once runner (or --once no-op) it runs each benchmark once through that host only, for
// instruction counts that a loaded machine cannot disturb, under valgrind --tool=callgrind
// --toggle-collect='tallyforge::BenchEngine::OnStartBench()'; callgrind_annotate --inclusive=yes
// then gives OnStartBench, less the recorder's RunFinished (the check, after the timed stretch),
// against the no-op host's OnStartBench (perf/instruction-overhead.sh does all this).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_engine.h"
#include "factorise.h"
#include "null_host.h"
#include "scratch_dir.h"
#include "prime_table.h"
#include "run_recorder.h"
#include "terminal_host.h"

namespace {

using namespace tallyforge;

using perf::NullHost;

// The engine's own tick source, in microseconds instead of milliseconds: a run's ticks are then
// its timed stretch to the microsecond (32 bits hold the 35 minutes this needs).
int32_t MicrosecondTicks() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The range run written out by hand: the same divisions and the same formatted writes.
void StraightRange(const RangeSpec& range, bool withTwoAndThree, const std::filesystem::path& file) {
  std::FILE* out = std::fopen(file.c_str(), "w");
  int count = 0;
  if (withTwoAndThree) {
    std::fprintf(out, "%013.0f\n", 2.0);
    std::fprintf(out, "%013.0f\n", 3.0);
    count = 2;
  }
  int step = 2;
  for (double c = range.start; c <= range.end; c += step) {
    const double root = std::sqrt(c);
    bool prime = true;
    for (int j = 1; j <= primeCount; ++j) {
      if (primeTable[j] > root) break;
      if (std::fmod(c, primeTable[j]) == 0) {
        prime = false;
        break;
      }
    }
    if (prime) {
      std::fprintf(out, "%013.0f\n", c);
      ++count;
    }
    step = 6 - step;
  }
  std::fprintf(out, "\nPrime Found : %d\n", count);
  std::fclose(out);
}

void StraightFactors(const Workload& work, const std::filesystem::path& file) {
  std::FILE* out = std::fopen(file.c_str(), "w");
  Factors factors;
  char line[kFactorLineSize];
  char copy[kFactorLineSize];
  for (double n = work.factorFirst; n < work.factorLast + 1; n += 1) {
    FactorNumber(n, factors);
    FormatFactorLine(n, factors, line);
    std::snprintf(copy, sizeof copy, "%s", line);
    std::fprintf(out, "%s\n", copy);
  }
  std::fclose(out);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> benches;
  std::string once;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--once" && i + 1 < argc) {
      once = argv[++i];
    } else {
      benches.push_back(std::atoi(argv[i]));
    }
  }
  if (benches.empty()) benches = {1, 2, 3, 4, 8, 9};
  const auto dir = perf::MakeScratchDir("tallyforge-perf");
  if (dir.empty()) return 1;
  BuildPrimeTable();
  const Workload work = Workload::Standard();
  if (once.empty()) {
    std::printf("Timed stretches (best of the repetitions); the straight loop's whole time\n");
    std::printf("%-4s %12s %12s %12s %13s %15s\n", "", "runner s", "no-op s", "straight s",
                "runner/no-op", "no-op/straight");
  }
  for (int bench : benches) {
    if (bench < 1 || bench > kRowCount) continue;
    NullHost null(bench);
    BenchEngine quiet(null, dir, MicrosecondTicks);
    std::FILE* sink = std::fopen("/dev/null", "w");
    cli::TerminalHost terminal(sink, sink, false);
    RunRecorder recorder(terminal, work, dir);  // no /proc under dir: nothing sampled
    BenchEngine runner(recorder, dir, MicrosecondTicks);
    terminal.Attach(runner);
    for (int b = 1; b <= kRowCount; ++b) terminal.SetCheck(b, b == bench);
    if (!once.empty()) {
      const RunOutcome outcome = (once == "runner" ? runner : quiet).OnStartBench();
      std::printf("B%d through the %s host: %.3f s\n", bench, once.c_str(), outcome.ticks * 1e-6);
      std::fclose(sink);
      continue;
    }
    double runnerS = 1e9, quietS = 1e9, straightS = 1e9;
    const int reps = bench <= 2 ? 5 : bench == 3 || bench >= 8 ? 3 : 1;
    for (int rep = 0; rep < reps; ++rep) {  // interleaved, best of the repetitions
      runnerS = std::min(runnerS, runner.OnStartBench().ticks * 1e-6);
      quietS = std::min(quietS, quiet.OnStartBench().ticks * 1e-6);
      if (bench == kMixedBench) continue;  // B8 writes nothing: no straight loop to compare
      straightS = std::min(straightS, Seconds([&] {
        if (bench == kFactorBench) {
          StraightFactors(work, dir / "straight.txt");
        } else {
          StraightRange(work.ranges[bench - 1], bench == 1, dir / "straight.txt");
        }
      }));
    }
    std::fclose(sink);
    if (bench == kMixedBench) {
      std::printf("B%-3d %12.3f %12.3f %12s %+12.2f%% %15s\n", bench, runnerS, quietS, "-",
                  (runnerS / quietS - 1) * 100, "-");
    } else {
      std::printf("B%-3d %12.3f %12.3f %12.3f %+12.2f%% %+14.2f%%\n", bench, runnerS, quietS,
                  straightS, (runnerS / quietS - 1) * 100, (quietS / straightS - 1) * 100);
    }
    std::fflush(stdout);
  }
  std::filesystem::remove_all(dir);
}

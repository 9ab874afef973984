// Prints how much the engine's harness costs inside the timed stretch: each benchmark through
// the runner's hosts (the recorder in front of the terminal host, as a session runs it), through
// a host that does nothing, and as a straight hand-written loop doing the identical work.
// With --once runner (or --once no-op, --once straight) it runs each benchmark once that way
// only: for instruction counts that a loaded machine cannot disturb, under valgrind
// --tool=callgrind --toggle-collect='tallyforge::BenchEngine::OnStartBench()' (or '*Straight*');
// callgrind_annotate --inclusive=yes then gives OnStartBench, less the recorder's RunFinished
// (the check, after the timed stretch), against the no-op host's OnStartBench and the straight
// loop (perf/instruction-overhead.sh does all this); and for whole processes in turn on one
// pinned core (perf/straight-loop.sh).
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
#include "mixed_search.h"
#include "null_host.h"
#include "prime_table.h"
#include "remainder.h"
#include "run_recorder.h"
#include "scratch_dir.h"
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
      if (Remainder(c, primeTable[j]) == 0) {
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

// B8 written out by hand: the same two searches, passes and table stores, with neither progress
// points nor a stop test. Returns the primes found.
int32_t StraightMixed(int32_t limit) {
  intPrimeTable[1] = 2;
  intPrimeTable[2] = 3;
  realPrimeTable[1] = 2.0;
  realPrimeTable[2] = 3.0;
  int32_t ic = 5, is = 2, ir = 2, ip = 1, in = 3;
  double rc = 5.0, rr = std::sqrt(5.0);
  int32_t rs = 2, rp = 1, rn = 3, found = 2;
  const double rlimit = limit;
  for (;;) {
    if (ic < limit && intPrimeTable[ip] > ir) {
      if (in < kMixedTableSize) intPrimeTable[in++] = ic;
      ic += is;
      is = 6 - is;
      ir = static_cast<int32_t>(std::sqrt(static_cast<double>(ic)));
      ip = 1;
      continue;
    }
    if (rc < rlimit && realPrimeTable[rp] > rr) {
      ++found;
      if (rn < kMixedTableSize) realPrimeTable[rn++] = rc;
      rc += rs;
      rs = 6 - rs;
      rp = 1;
      rr = std::sqrt(rc);
      continue;
    }
    if (ic < limit && ic % intPrimeTable[ip] == 0) {
      ic += is;
      is = 6 - is;
      ir = static_cast<int32_t>(std::sqrt(static_cast<double>(ic)));
      ip = 0;
    }
    if (rc < rlimit && Remainder(rc, realPrimeTable[rp]) == 0) {
      rp = 0;
      rc += rs;
      rs = 6 - rs;
      rr = std::sqrt(rc);
    }
    ++ip;
    ++rp;
    if (ic >= limit && rc >= rlimit) return found;
  }
}

// The straight loop of benchmark bench.
void Straight(int bench, const Workload& work, const std::filesystem::path& dir) {
  if (bench == kFactorBench) {
    StraightFactors(work, dir / "straight.txt");
  } else if (bench == kMixedBench) {
    std::printf("B8 straight: %d primes\n", StraightMixed(work.mixedLimit));
  } else {
    StraightRange(work.ranges[bench - 1], bench == 1, dir / "straight.txt");
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> benches;
  std::string once;
  int32_t mixedLimit = 0;  // B8's own limit unless given: callgrind runs of the same loop, shorter
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--once" && i + 1 < argc) {
      once = argv[++i];
    } else if (std::string(argv[i]) == "--mixed-limit" && i + 1 < argc) {
      mixedLimit = std::atoi(argv[++i]);
    } else {
      benches.push_back(std::atoi(argv[i]));
    }
  }
  if (benches.empty()) benches = {1, 2, 3, 4, 8, 9};
  const tallyforge::testing::ScratchDir scratch("tallyforge-perf");
  const auto& dir = scratch.path();
  if (dir.empty()) return 1;
  BuildPrimeTable();
  Workload work = Workload::Standard();
  if (mixedLimit > 0) work.mixedLimit = mixedLimit;
  if (once.empty()) {
    std::printf("Timed stretches (best of the repetitions); the straight loop's whole time\n");
    std::printf("%-4s %12s %12s %12s %13s %15s\n", "", "runner s", "no-op s", "straight s",
                "runner/no-op", "no-op/straight");
  }
  for (int bench : benches) {
    if (bench < 1 || bench > kRowCount) continue;
    NullHost null(bench);
    BenchEngine quiet(null, dir, MicrosecondTicks, work);
    std::FILE* sink = std::fopen("/dev/null", "w");
    cli::TerminalHost terminal(sink, sink, false);
    RunRecorder recorder(terminal, work, dir);  // no /proc under dir: nothing sampled
    BenchEngine runner(recorder, dir, MicrosecondTicks, work);
    terminal.Attach(runner, recorder);
    for (int b = 1; b <= kRowCount; ++b) terminal.SetCheck(b, b == bench);
    if (once == "straight") {
      std::printf("B%d straight: %.6f s\n", bench, Seconds([&] { Straight(bench, work, dir); }));
      std::fclose(sink);
      continue;
    }
    if (!once.empty()) {
      const RunOutcome outcome = (once == "runner" ? runner : quiet).OnStartBench();
      std::printf("B%d through the %s host: %.6f s\n", bench, once.c_str(), outcome.ticks * 1e-6);
      std::fclose(sink);
      continue;
    }
    double runnerS = 1e9, quietS = 1e9, straightS = 1e9;
    const int reps = bench <= 2 ? 5 : bench == 3 || bench >= 8 ? 3 : 1;
    for (int rep = 0; rep < reps; ++rep) {  // interleaved, best of the repetitions
      runnerS = std::min(runnerS, runner.OnStartBench().ticks * 1e-6);
      quietS = std::min(quietS, quiet.OnStartBench().ticks * 1e-6);
      straightS = std::min(straightS, Seconds([&] { Straight(bench, work, dir); }));
    }
    std::fclose(sink);
    std::printf("B%-3d %12.3f %12.3f %12.3f %+12.2f%% %+14.2f%%\n", bench, runnerS, quietS,
                straightS, (runnerS / quietS - 1) * 100, (quietS / straightS - 1) * 100);
    std::fflush(stdout);
  }
}

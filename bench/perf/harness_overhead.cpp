// Prints how much the engine's harness costs: each benchmark through the runner's host, through
// a host that does nothing, and as a straight hand-written loop doing the identical work.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_engine.h"
#include "factorise.h"
#include "null_host.h"
#include "prime_table.h"
#include "terminal_host.h"

namespace {

using namespace tallyforge;

using perf::NullHost;

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
  for (int i = 1; i < argc; ++i) benches.push_back(std::atoi(argv[i]));
  if (benches.empty()) benches = {1, 2, 3, 4, 9};
  const auto dir = std::filesystem::temp_directory_path() / "tallyforge-perf";
  std::filesystem::create_directories(dir);
  BuildPrimeTable();
  const Workload work = Workload::Standard();
  std::printf("%-4s %12s %12s %12s %10s %10s\n", "", "runner s", "no-op s", "straight s",
              "runner/no-op", "no-op/straight");
  for (int bench : benches) {
    NullHost null(bench);
    BenchEngine quiet(null, dir);
    std::FILE* sink = std::fopen("/dev/null", "w");
    cli::TerminalHost terminal(sink, sink, false);
    BenchEngine runner(terminal, dir);
    for (int b = 1; b <= kRowCount; ++b) terminal.SetCheck(b, b == bench);
    double runnerS = 1e9, quietS = 1e9, straightS = 1e9;
    const int reps = bench <= 2 ? 5 : bench == 9 ? 2 : 1;
    for (int rep = 0; rep < reps; ++rep) {  // interleaved, best of the repetitions
      runnerS = std::min(runnerS, Seconds([&] { runner.OnStartBench(); }));
      quietS = std::min(quietS, Seconds([&] { quiet.OnStartBench(); }));
      straightS = std::min(straightS, Seconds([&] {
        if (bench == kFactorBench) {
          StraightFactors(work, dir / "straight.txt");
        } else if (bench <= kRangeBenchCount) {
          StraightRange(work.ranges[bench - 1], bench == 1, dir / "straight.txt");
        }
      }));
    }
    std::fclose(sink);
    std::printf("B%-3d %12.3f %12.3f %12.3f %+9.2f%% %+9.2f%%\n", bench, runnerS, quietS,
                straightS, (runnerS / quietS - 1) * 100,
                bench == kMixedBench ? 0.0 : (quietS / straightS - 1) * 100);
  }
  std::filesystem::remove_all(dir);
}

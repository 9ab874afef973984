#pragma once
// Statistics and verdicts over the passes of --repeat, per benchmark and for the total score.
#include <cstdio>
#include <optional>
#include <vector>

#include "run_recorder.h"
#include "run_statistics.h"
#include "run_verdicts.h"

namespace tallyforge::cli {

struct BenchmarkSummary {
  int bench = 0;
  std::vector<double> seconds;  // of its runs that ran to the end, in pass order
  std::optional<Summary> stats;
  NoiseVerdict noise;
  SlowdownVerdict slowdown;
};

// The times of each completed pass of bench: its progress points, then its end.
std::vector<PassTimes> PassTimesOf(const std::vector<RecordedRun>& runs, int bench);

// One summary per benchmark that ran, in the order they first ran.
std::vector<BenchmarkSummary> SummariseBenchmarks(const std::vector<RecordedRun>& runs,
                                                  int logicalCores);

// The table of min, median, max, spread, interval and verdicts, then the score's line when
// scores holds any.
void PrintStatistics(std::FILE* out, const std::vector<BenchmarkSummary>& summaries,
                     const std::vector<double>& scores);

}  // namespace tallyforge::cli

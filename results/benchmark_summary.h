#pragma once
// Statistics and verdicts over the passes of --repeat, per benchmark.
#include <optional>
#include <vector>

#include "run_record.h"
#include "run_statistics.h"
#include "timing_verdicts.h"

namespace tallyforge {

struct BenchmarkSummary {
  int bench = 0;
  std::vector<double> seconds;  // of its runs that ran to the end, in pass order
  std::optional<Summary> stats;
  NoiseVerdict noise;
  SlowdownVerdict slowdown;
};

// The times of each completed pass of bench: its progress points, then its end.
std::vector<PassTimes> PassTimesOf(const std::vector<RecordedRun>& runs, int bench);

// The summary of bench over its runs among runs.
BenchmarkSummary SummariseBenchmark(const std::vector<RecordedRun>& runs, int bench,
                                    int logicalCores);

}  // namespace tallyforge

#pragma once
// Statistics and verdicts over the passes of --repeat, per benchmark.
#include <optional>
#include <vector>

#include "run_record.h"
#include "run_statistics.h"
#include "run_verdicts.h"

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

// One summary per benchmark that ran, in the order they first ran.
std::vector<BenchmarkSummary> SummariseBenchmarks(const std::vector<RecordedRun>& runs,
                                                  int logicalCores);

}  // namespace tallyforge

#pragma once
// Verdicts on repeated runs: whether their times are stable, and whether later passes slow down.
#include <optional>
#include <string>
#include <vector>

#include "machine_facts.h"

namespace tallyforge {

// A spread of the times up to this is "stable".
inline constexpr double kStableSpread = 0.01;

// What the machine showed while one benchmark's runs went on.
struct NoiseEvidence {
  std::optional<double> spread;         // of the benchmark's times; none with a single run
  std::optional<double> otherCpuSeconds;  // other processes' CPU time during its runs
  double runSeconds = 0;                // the runs' own total time
  std::optional<double> loadAtStart;    // load average when its first run began
  int logicalCores = 0;
  std::vector<int64_t> frequenciesKHz;  // every reading taken around its runs
};

struct NoiseVerdict {
  std::string verdict;              // "stable", "noisy", or "n/a" with a single run
  std::vector<std::string> causes;  // likely causes of noise the machine shows
};

NoiseVerdict JudgeNoise(const NoiseEvidence& evidence);

// One pass of a benchmark: the seconds at each progress point, then its end.
using PassTimes = std::vector<double>;

struct SlowdownVerdict {
  std::string verdict;    // "steady", "slowing" or "n/a" (one pass, or passes not comparable)
  double worstRatio = 1;  // the median ratio of a later pass's stretches to the first pass's
  int worstPass = 0;      // 1-based pass where that ratio was found; 0 when none
  double noise = 0;       // the run-to-run noise of a stretch, as a share of its time
};

// A stretch is the time between two progress points: the same work in every pass. A later pass
// is "slowing" when the median of its stretch-by-stretch ratios to the first pass exceeds 1 by
// more than threshold and by more than twice the run-to-run noise of the stretches: the robust
// spread (1.4826 x the median absolute deviation) of each stretch's change from one pass to the
// next. A sustained slowdown changes few of those steps, so throttling stands out; passes that
// go up and down by as much as the slowdown are noise.
SlowdownVerdict JudgeSlowdown(const std::vector<PassTimes>& passes, double threshold = 0.02);

}  // namespace tallyforge

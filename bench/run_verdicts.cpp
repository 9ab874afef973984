#include "run_verdicts.h"

#include <algorithm>
#include <cstdio>

#include "run_statistics.h"

namespace tallyforge {
namespace {

// Other processes' CPU time beyond this share of the runs' time is reported as a cause.
constexpr double kOtherCpuShare = 0.02;
// A frequency range wider than this share of its lowest reading is reported as a cause.
constexpr double kFrequencyChange = 0.02;

std::vector<double> Stretches(const PassTimes& pass) {
  std::vector<double> stretches;
  double previous = 0;
  for (double t : pass) {
    stretches.push_back(t - previous);
    previous = t;
  }
  return stretches;
}

}  // namespace

NoiseVerdict JudgeNoise(const NoiseEvidence& evidence) {
  NoiseVerdict result;
  if (!evidence.spread) {
    result.verdict = "n/a";
    return result;
  }
  result.verdict = *evidence.spread <= kStableSpread ? "stable" : "noisy";
  char text[160];
  if (evidence.otherCpuSeconds && evidence.runSeconds > 0 &&
      *evidence.otherCpuSeconds > kOtherCpuShare * evidence.runSeconds) {
    std::snprintf(text, sizeof text, "other processes used %.1f s of CPU time during %.1f s of runs",
                  *evidence.otherCpuSeconds, evidence.runSeconds);
    result.causes.push_back(text);
  }
  if (evidence.loadAtStart && evidence.logicalCores > 0 &&
      *evidence.loadAtStart > evidence.logicalCores) {
    std::snprintf(text, sizeof text, "load average %.2f above the %d cores at the start",
                  *evidence.loadAtStart, evidence.logicalCores);
    result.causes.push_back(text);
  }
  if (!evidence.frequenciesKHz.empty()) {
    const auto [low, high] =
        std::minmax_element(evidence.frequenciesKHz.begin(), evidence.frequenciesKHz.end());
    if (*low > 0 && static_cast<double>(*high - *low) > kFrequencyChange * static_cast<double>(*low)) {
      std::snprintf(text, sizeof text, "CPU frequency changed between %lld and %lld MHz",
                    static_cast<long long>(*low / 1000), static_cast<long long>(*high / 1000));
      result.causes.push_back(text);
    }
  }
  return result;
}

SlowdownVerdict JudgeSlowdown(const std::vector<PassTimes>& passes, double threshold) {
  SlowdownVerdict result;
  result.verdict = "n/a";
  if (passes.size() < 2) return result;
  const std::vector<double> first = Stretches(passes.front());
  for (size_t p = 1; p < passes.size(); ++p) {
    const std::vector<double> later = Stretches(passes[p]);
    if (later.size() != first.size()) return SlowdownVerdict{"n/a", 1, 0};  // a stopped pass
    std::vector<double> ratios;
    for (size_t k = 0; k < first.size(); ++k) {
      if (first[k] > 0) ratios.push_back(later[k] / first[k]);
    }
    const std::optional<double> ratio = Median(ratios);
    if (ratio && *ratio > result.worstRatio) {
      result.worstRatio = *ratio;
      result.worstPass = static_cast<int>(p + 1);
    }
  }
  result.verdict = result.worstRatio > 1 + threshold ? "slowing" : "steady";
  return result;
}

}  // namespace tallyforge

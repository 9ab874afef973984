#include "timing_verdicts.h"

#include <algorithm>
#include <cmath>
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
  SlowdownVerdict result{"n/a", 1, 0, 0};
  if (passes.size() < 2) return result;
  std::vector<std::vector<double>> stretches;
  for (const PassTimes& pass : passes) {
    stretches.push_back(Stretches(pass));
    if (stretches.back().size() != stretches.front().size()) return result;  // a stopped pass
  }
  // Each stretch's change from one pass to the next.
  std::vector<double> steps;
  for (size_t p = 1; p < stretches.size(); ++p) {
    for (size_t k = 0; k < stretches[p].size(); ++k) {
      if (stretches[p - 1][k] > 0) steps.push_back(stretches[p][k] / stretches[p - 1][k] - 1);
    }
  }
  const std::optional<double> centre = Median(steps);
  if (!centre) return result;
  std::vector<double> deviations;
  for (double step : steps) deviations.push_back(std::fabs(step - *centre));
  result.noise = 1.4826 * *Median(deviations);

  const std::vector<double>& first = stretches.front();
  for (size_t p = 1; p < stretches.size(); ++p) {
    std::vector<double> ratios;
    for (size_t k = 0; k < first.size(); ++k) {
      if (first[k] > 0) ratios.push_back(stretches[p][k] / first[k]);
    }
    const std::optional<double> ratio = Median(ratios);
    if (ratio && *ratio > result.worstRatio) {
      result.worstRatio = *ratio;
      result.worstPass = static_cast<int>(p + 1);
    }
  }
  const double slowdown = result.worstRatio - 1;
  result.verdict = slowdown > threshold && slowdown > 2 * result.noise ? "slowing" : "steady";
  return result;
}

}  // namespace tallyforge

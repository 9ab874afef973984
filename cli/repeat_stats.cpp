#include "repeat_stats.h"

#include <algorithm>
#include <string>

#include "formats.h"
#include "workload.h"

namespace tallyforge::cli {
namespace {

NoiseEvidence EvidenceOf(const std::vector<RecordedRun>& runs, int bench, int logicalCores) {
  NoiseEvidence evidence;
  evidence.logicalCores = logicalCores;
  bool first = true;
  for (const RecordedRun& run : runs) {
    if (run.outcome.bench != bench || !run.outcome.ran) continue;
    if (first) evidence.loadAtStart = run.before.loadAverage;
    first = false;
    evidence.runSeconds += TicksToSeconds(run.outcome.ticks);
    if (const auto other = OtherCpuSeconds(run.before, run.after)) {
      evidence.otherCpuSeconds = evidence.otherCpuSeconds.value_or(0) + *other;
    }
    for (const MachineSample* sample : {&run.before, &run.after}) {
      evidence.frequenciesKHz.insert(evidence.frequenciesKHz.end(),
                                     sample->frequenciesKHz.begin(), sample->frequenciesKHz.end());
    }
  }
  return evidence;
}

std::string ScoreText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

void PrintLine(std::FILE* out, const std::string& name, const Summary& s,
               const std::string& verdict, std::string (*format)(double)) {
  std::string interval = "-";
  if (s.ciLow) interval = format(*s.ciLow) + " .. " + format(*s.ciHigh);
  std::string spread = "-";
  if (s.spread) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", *s.spread * 100);
    spread = text;
  }
  std::fprintf(out, "%-11s %10s %10s %10s %8s %22s  %s\n", name.c_str(), format(s.min).c_str(),
               format(s.median).c_str(), format(s.max).c_str(), spread.c_str(), interval.c_str(),
               verdict.c_str());
}

}  // namespace

std::vector<PassTimes> PassTimesOf(const std::vector<RecordedRun>& runs, int bench) {
  std::vector<PassTimes> passes;
  for (const RecordedRun& run : runs) {
    if (run.outcome.bench != bench || !run.outcome.ran || run.outcome.stopped) continue;
    PassTimes times = run.progressSeconds;
    times.push_back(TicksToSeconds(run.outcome.ticks));
    passes.push_back(std::move(times));
  }
  return passes;
}

std::vector<BenchmarkSummary> SummariseBenchmarks(const std::vector<RecordedRun>& runs,
                                                  int logicalCores) {
  std::vector<BenchmarkSummary> summaries;
  for (const RecordedRun& run : runs) {
    const int bench = run.outcome.bench;
    if (std::any_of(summaries.begin(), summaries.end(),
                    [bench](const BenchmarkSummary& s) { return s.bench == bench; })) {
      continue;
    }
    BenchmarkSummary summary;
    summary.bench = bench;
    for (const RecordedRun& other : runs) {
      if (other.outcome.bench == bench && other.outcome.ran && !other.outcome.stopped) {
        summary.seconds.push_back(TicksToSeconds(other.outcome.ticks));
      }
    }
    summary.stats = Summarise(summary.seconds);
    NoiseEvidence evidence = EvidenceOf(runs, bench, logicalCores);
    if (summary.stats) evidence.spread = summary.stats->spread;
    summary.noise = JudgeNoise(evidence);
    summary.slowdown = JudgeSlowdown(PassTimesOf(runs, bench));
    summaries.push_back(std::move(summary));
  }
  return summaries;
}

void PrintStatistics(std::FILE* out, const std::vector<BenchmarkSummary>& summaries,
                     const std::vector<double>& scores) {
  std::fprintf(out, "\n%-11s %10s %10s %10s %8s %22s  %s\n", "Benchmark", "min", "median", "max",
               "spread", "95% CI of the median", "verdict");
  for (const BenchmarkSummary& s : summaries) {
    if (!s.stats) continue;
    std::string verdict = s.noise.verdict;
    for (const std::string& cause : s.noise.causes) verdict += "; " + cause;
    if (s.slowdown.verdict == "slowing") {
      char text[96];
      std::snprintf(text, sizeof text, "; slowing: pass %d took %.1f%% longer than the first",
                    s.slowdown.worstPass, (s.slowdown.worstRatio - 1) * 100);
      verdict += text;
    }
    PrintLine(out, BenchmarkName(s.bench), *s.stats, verdict, TimeText);
  }
  if (const auto score = Summarise(scores)) {
    std::string verdict = !score->spread ? "n/a" : *score->spread <= kStableSpread ? "stable"
                                                                                  : "noisy";
    PrintLine(out, "TOTAL SCORE", *score, verdict, ScoreText);
  }
  std::fflush(out);
}

}  // namespace tallyforge::cli

#include "benchmark_summary.h"

#include "formats.h"

namespace tallyforge {
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

bool Complete(const RecordedRun& run, int bench) {
  return run.outcome.bench == bench && run.outcome.ran && !run.outcome.stopped;
}

}  // namespace

std::vector<PassTimes> PassTimesOf(const std::vector<RecordedRun>& runs, int bench) {
  std::vector<PassTimes> passes;
  for (const RecordedRun& run : runs) {
    if (!Complete(run, bench)) continue;
    PassTimes& times = passes.emplace_back();
    for (int32_t ticks : run.progressTicks) times.push_back(TicksToSeconds(ticks));
    times.push_back(TicksToSeconds(run.outcome.ticks));
  }
  return passes;
}

BenchmarkSummary SummariseBenchmark(const std::vector<RecordedRun>& runs, int bench,
                                    int logicalCores) {
  BenchmarkSummary summary;
  summary.bench = bench;
  for (const RecordedRun& run : runs) {
    if (Complete(run, bench)) summary.seconds.push_back(TicksToSeconds(run.outcome.ticks));
  }
  summary.stats = Summarise(summary.seconds);
  NoiseEvidence evidence = EvidenceOf(runs, bench, logicalCores);
  if (summary.stats) evidence.spread = summary.stats->spread;
  summary.noise = JudgeNoise(evidence);
  summary.slowdown = JudgeSlowdown(PassTimesOf(runs, bench));
  return summary;
}

}  // namespace tallyforge

#include "recorded_results.h"

#include <algorithm>
#include <cstdlib>

namespace tallyforge {

void AddRun(RecordedResults& results, RecordedRun run, int logicalCores) {
  const int bench = run.outcome.bench;
  results.runs.push_back(std::move(run));
  BenchmarkSummary summary = SummariseBenchmark(results.runs, bench, logicalCores);
  auto& summaries = results.benchmarks;
  const auto known = std::find_if(summaries.begin(), summaries.end(),
                                  [bench](const BenchmarkSummary& s) { return s.bench == bench; });
  if (known != summaries.end()) {
    *known = std::move(summary);
  } else {
    summaries.push_back(std::move(summary));
  }
}

void AddScore(RecordedResults& results, int pass, bool scored, const std::string& cell) {
  results.scores.push_back({pass, scored, cell, scored ? ScoreValue(cell) : std::nullopt});
  std::vector<double> values;
  for (const PassScore& score : results.scores) {
    if (score.value) values.push_back(*score.value);
  }
  results.scoreStatistics = Summarise(values);
}

std::optional<double> ScoreValue(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return std::nullopt;
  return value;
}

}  // namespace tallyforge

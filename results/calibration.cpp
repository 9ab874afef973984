#include "calibration.h"

#include "atomic_file.h"
#include "output_file.h"
#include "reference_machine.h"
#include "reference_reader.h"

namespace tallyforge {

std::optional<std::array<double, kRowCount>> CalibratedTimes(const RecordedResults& results) {
  for (const RecordedRun& run : results.runs) {
    if (run.check.verdict != RunVerdict::kVerified) return std::nullopt;
  }
  std::array<double, kRowCount> seconds{};
  std::array<bool, kRowCount> found{};
  for (const BenchmarkSummary& summary : results.benchmarks) {
    if (summary.bench < 1 || summary.bench > kRowCount || !summary.stats) continue;
    seconds[static_cast<size_t>(summary.bench - 1)] = summary.stats->median;
    found[static_cast<size_t>(summary.bench - 1)] = true;
  }
  for (bool ran : found) {
    if (!ran) return std::nullopt;
  }
  return seconds;
}

int WriteReferenceFile(const std::filesystem::path& directory,
                       const std::array<double, kRowCount>& seconds, const std::string& machine) {
  return ReplaceFile(directory / kReferenceFileName, ReferenceFileText(seconds, machine));
}

}  // namespace tallyforge

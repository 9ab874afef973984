#include "calibration.h"

#include "atomic_file.h"
#include "formats.h"
#include "output_file.h"
#include "reference_machine.h"
#include "reference_reader.h"
#include "run_statistics.h"

namespace tallyforge {

std::optional<std::array<double, kRowCount>> CalibratedTimes(const std::vector<RecordedRun>& runs) {
  std::array<std::vector<double>, kRowCount> times;
  for (const RecordedRun& run : runs) {
    const RunOutcome& o = run.outcome;
    if (o.bench < 1 || o.bench > kRowCount) continue;
    if (run.check.verdict != RunVerdict::kVerified) return std::nullopt;
    times[static_cast<size_t>(o.bench - 1)].push_back(TicksToSeconds(o.ticks));
  }
  std::array<double, kRowCount> seconds{};
  for (size_t row = 0; row < times.size(); ++row) {
    const std::optional<double> median = Median(times[row]);
    if (!median) return std::nullopt;
    seconds[row] = *median;
  }
  return seconds;
}

int WriteReferenceFile(const std::filesystem::path& directory,
                       const std::array<double, kRowCount>& seconds, const std::string& machine) {
  return ReplaceFile(directory / kReferenceFileName, ReferenceFileText(seconds, machine));
}

}  // namespace tallyforge

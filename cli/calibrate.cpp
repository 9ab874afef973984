#include "calibrate.h"

#include <cerrno>
#include <cstdio>

#include "formats.h"
#include "output_file.h"
#include "reference_machine.h"
#include "reference_reader.h"
#include "run_statistics.h"

namespace tallyforge::cli {

std::optional<std::array<double, kRowCount>> CalibratedTimes(const std::vector<RecordedRun>& runs) {
  std::array<std::vector<double>, kRowCount> times;
  for (const RecordedRun& run : runs) {
    const RunOutcome& o = run.outcome;
    if (o.bench < 1 || o.bench > kRowCount) continue;
    if (!o.ok() || o.stopped) return std::nullopt;
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
  const std::filesystem::path path = directory / kReferenceFileName;
  const std::filesystem::path temporary = directory / (std::string(kReferenceFileName) + ".new");
  OutputFile file(temporary);
  if (!file.is_open()) return file.error();
  const std::string text = ReferenceFileText(seconds, machine);
  std::fwrite(text.data(), 1, text.size(), file.get());
  int error = file.Close();
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) std::remove(temporary.c_str());
  return error;
}

}  // namespace tallyforge::cli

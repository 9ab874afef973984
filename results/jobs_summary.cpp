#include "jobs_summary.h"

#include <algorithm>
#include <cctype>

#include "document_reader.h"
#include "exit_status.h"
#include "figure_text.h"
#include "formats.h"

namespace tallyforge {
namespace {

std::string StateOf(int exitCode, int signal) {
  if (signal != 0) return "killed by signal " + std::to_string(signal);
  if (exitCode == kExitInterrupted) return "stopped";
  if (exitCode == kExitWrongResult) return "WRONG result";
  if (exitCode == kExitNotChecked) return "result not checked";
  return "failed (exit " + std::to_string(exitCode) + ")";
}

bool AllComplete(const CountResult& count) {
  return !count.results.empty() &&
         std::all_of(count.results.begin(), count.results.end(),
                     [](const CopyResult& copy) { return copy.complete && *copy.seconds > 0; });
}

}  // namespace

std::optional<std::vector<int>> ParseJobCounts(const std::string& text, int logicalCores) {
  const auto count = [](const std::string& digits) { return ParseCount(digits, 1, kMostCopies); };
  std::vector<int> counts;
  const auto dots = text.find("..");
  if (dots != std::string::npos) {
    const auto low = count(text.substr(0, dots));
    const auto high = count(text.substr(dots + 2));
    if (!low || !high || *low > *high) return std::nullopt;
    for (int n = *low; n <= *high; ++n) counts.push_back(n);
    return counts;
  }
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto n = lower == "all" ? count(std::to_string(std::max(logicalCores, 1))) : count(text);
  if (!n) return std::nullopt;
  if (*n > 1) counts.push_back(1);  // one copy alone first: what the copies are measured against
  counts.push_back(*n);
  return counts;
}

std::string CopyFolder(int copy, int copies) {
  return "job-" + std::to_string(copy) + "-of-" + std::to_string(copies);
}

CopyResult CopyEnded(const std::filesystem::path& directory, const std::string& folder,
                     int exitCode, int signal) {
  CopyResult result;
  result.folder = folder;
  result.exitCode = signal != 0 ? 128 + signal : exitCode;
  result.state = StateOf(exitCode, signal);
  if (result.exitCode != 0) return result;
  std::string error;
  const auto document = ReadDocument(directory / folder / kCopyDocumentName, error);
  if (!document || !document->finished) {
    result.state = "no result document";
    return result;
  }
  double seconds = 0;
  for (const DocumentRun& run : document->runs) {
    if (!run.ran || run.stopped || !run.verification ||
        run.verification->status != CheckStatus::kVerified) {
      result.state = "incomplete";
      return result;
    }
    seconds += run.seconds;
  }
  result.complete = true;
  result.seconds = seconds;
  result.state = "complete";
  return result;
}

CopyResult CopyNotStarted(const std::string& folder, const std::string& why) {
  return {folder, kExitRunFailed, std::nullopt, false, "not started: " + why, false};
}

void ScaleAgainstOneCopy(std::vector<CountResult>& counts) {
  if (counts.empty()) return;
  const CountResult* base = &counts.front();
  for (const CountResult& count : counts) {
    if (count.copies == 1) base = &count;
  }
  for (CountResult& count : counts) {
    count.throughput.reset();
    count.efficiency.reset();
  }
  if (!AllComplete(*base)) return;
  double baseSeconds = 0;
  for (const CopyResult& copy : base->results) baseSeconds += *copy.seconds;
  baseSeconds /= static_cast<double>(base->results.size());
  for (CountResult& count : counts) {
    if (!AllComplete(count)) continue;
    double throughput = 0;
    for (const CopyResult& copy : count.results) throughput += baseSeconds / *copy.seconds;
    count.throughput = throughput;
    count.efficiency = throughput / count.copies;
  }
}

bool AnyCopyStopped(const CountResult& count) {
  return std::any_of(count.results.begin(), count.results.end(),
                     [](const CopyResult& copy) { return copy.exitCode == kExitInterrupted; });
}

int JobsExitStatus(const std::vector<CountResult>& counts, bool interrupted) {
  if (interrupted) return kExitInterrupted;
  int status = 0;
  for (const CountResult& count : counts) {
    for (const CopyResult& copy : count.results) {
      status = WorseExit(status, copy.exitCode > 128 ? kExitRunFailed : copy.exitCode);
    }
  }
  return status;
}

void PrintJobsTable(std::FILE* out, const std::vector<CountResult>& counts) {
  std::fprintf(out, "%-7s %-14s %12s  %s\n", "Copies", "Folder", "Seconds", "");
  for (const CountResult& count : counts) {
    for (const CopyResult& copy : count.results) {
      const std::string state =
          copy.complete ? "complete"
                        : "INCOMPLETE: " + copy.state + (copy.started ? " (see its rows.txt)" : "");
      std::fprintf(out, "%-7d %-14s %12s  %s\n", count.copies, copy.folder.c_str(),
                   copy.seconds ? TimeText(*copy.seconds).c_str() : "n/a", state.c_str());
    }
  }
  std::fprintf(out, "\n%-7s %24s %12s\n", "Copies", "Throughput vs one copy", "Efficiency");
  for (const CountResult& count : counts) {
    const std::optional<double> percent =
        count.efficiency ? std::optional<double>(*count.efficiency * 100) : std::nullopt;
    std::fprintf(out, "%-7d %24s %12s\n", count.copies, Figure(count.throughput, "%.3fx").c_str(),
                 Figure(percent, "%.1f%%").c_str());
  }
  std::fflush(out);
}

}  // namespace tallyforge

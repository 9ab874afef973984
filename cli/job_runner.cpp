#include "job_runner.h"

#include <algorithm>
#include <cstring>

#include "copy_processes.h"
#include "document_reader.h"
#include "exit_status.h"
#include "folder_claim.h"
#include "formats.h"
#include "messages.h"
#include "output_file.h"
#include "prime_table.h"
#include "reference_reader.h"
#include "regular_file.h"
#include "run_session.h"
#include "standard_streams.h"
#include "terminal_host.h"

namespace tallyforge::cli {
namespace {

// The copy's folder with a fresh Reference.txt, and nothing of an earlier invocation that could
// be taken for this one's result. Empty when it is ready; else why not.
std::string PrepareFolder(const CliOptions& options, const std::filesystem::path& folder) {
  // A link in the folder's place would send the copy's files elsewhere.
  const auto isLink = [&] {
    std::error_code ec;
    return std::filesystem::is_symlink(std::filesystem::symlink_status(folder, ec));
  };
  if (isLink()) return "a symbolic link is in its place (links are never followed)";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return "cannot create it: " + ec.message();
  if (isLink() || !std::filesystem::is_directory(std::filesystem::symlink_status(folder, ec))) {
    return "something other than a folder is in its place";
  }
  for (const char* stale : {kCopyDocumentName, kCopyRowsName}) {
    std::filesystem::remove(folder / stale, ec);
    if (ec) return std::string("cannot remove its earlier ") + stale + ": " + ec.message();
  }
  // The copy's Reference.txt, written as every output file is; only its first lines are read.
  const FileText reference = ReadRegularFile(options.directory / kReferenceFileName, 1 << 20);
  if (!reference.text) {
    std::filesystem::remove(folder / kReferenceFileName, ec);
    return ec ? "cannot remove its Reference.txt: " + ec.message() : "";
  }
  OutputFile copy(folder / kReferenceFileName);
  if (copy.is_open()) std::fwrite(reference.text->data(), 1, reference.text->size(), copy.get());
  if (const int error = copy.Close()) {
    return "cannot write its Reference.txt: " + OutputFileErrorText(error);
  }
  return "";
}

std::string StateOf(const CopyExit& exit) {
  if (exit.signal != 0) return "killed by signal " + std::to_string(exit.signal);
  if (exit.exitCode == kExitInterrupted) return "stopped";
  if (exit.exitCode == kExitWrongResult) return "WRONG result";
  if (exit.exitCode == kExitNotChecked) return "result not checked";
  return "failed (exit " + std::to_string(exit.exitCode) + ")";
}

CopyResult ReadCopy(const std::filesystem::path& directory, const std::string& folder,
                    const CopyExit& exit) {
  CopyResult result;
  result.folder = folder;
  result.exitCode = exit.signal != 0 ? 128 + exit.signal : exit.exitCode;
  result.state = StateOf(exit);
  if (result.exitCode != 0) return result;
  std::string error;
  const auto document = ReadDocument(directory / folder / kCopyDocumentName, error);
  if (!document || !document->finished) {
    result.state = "no result document";
    return result;
  }
  double seconds = 0;
  for (const DocumentRun& run : document->runs) {
    if (!run.ran || run.stopped || run.check != CheckStatus::kVerified) {
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

CountResult RunCount(const CliOptions& options, const SessionSetup& setup, int copies) {
  CountResult count;
  count.copies = copies;
  std::vector<int> ready;
  std::vector<std::string> problems(static_cast<size_t>(copies) + 1);
  for (int k = 1; k <= copies; ++k) {
    std::string& problem = problems[static_cast<size_t>(k)];
    problem = PrepareFolder(options, options.directory / CopyFolder(k, copies));
    if (problem.empty()) {
      ready.push_back(k);
    } else {
      Complain("cannot prepare the folder " + CopyFolder(k, copies) + ": " + problem);
    }
  }
  const std::vector<CopyExit> exits = RunCopyProcesses(options, setup, ready, copies);
  for (int k = 1, next = 0; k <= copies; ++k) {
    const std::string folder = CopyFolder(k, copies);
    const bool isReady = next < static_cast<int>(ready.size()) && ready[next] == k;
    const CopyExit* exit = isReady ? &exits[static_cast<size_t>(next++)] : nullptr;
    if (exit == nullptr || !exit->started) {
      const std::string why =
          exit == nullptr ? "its folder: " + problems[static_cast<size_t>(k)]
                          : std::string("no process could be made: ") + std::strerror(exit->error);
      count.results.push_back(
          {folder, kExitRunFailed, std::nullopt, false, "not started: " + why, false});
    } else {
      count.results.push_back(ReadCopy(options.directory, folder, *exit));
    }
  }
  return count;
}

std::string Figure(const std::optional<double>& value, const char* format, double scale = 1) {
  if (!value) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, format, *value * scale);
  return text;
}

nlohmann::json OrNull(const std::optional<double>& value) {
  return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

}  // namespace

int RunCopySession(const CliOptions& options, const SessionSetup& setup,
                   const std::filesystem::path& folder) {
  // Each copy holds its own folder; the parent holds the working folder.
  const FolderLock lock(folder);
  if (const int claimed = ClaimFolder(lock, stderr)) return claimed;
  OutputFile rows(folder / kCopyRowsName);
  std::FILE* quiet = std::fopen(kNullDevice, "w");
  CliOptions copy = options;
  copy.directory = folder;
  copy.jobCounts.clear();
  SessionSetup copySetup = setup;
  copySetup.directory = folder;
  copySetup.rows = rows.is_open() ? rows.get() : stdout;
  copySetup.progress = quiet != nullptr ? quiet : stderr;
  copySetup.progressIsTerminal = false;
  DocumentFile document(folder / kCopyDocumentName);
  Session session(copy, copySetup, &document);
  return session.Run();
}

std::optional<CopyTask> TakeCopyTask(int& argc, char** argv) {
  if (argc < 2) return std::nullopt;
  const std::string_view last = argv[argc - 1];
  if (!last.starts_with(kCopyArgument)) return std::nullopt;
  CopyTask task;
  unsigned long long token = 0;
  char end = 0;
  if (std::sscanf(argv[argc - 1] + std::strlen(kCopyArgument), "%d/%d:%llu%c", &task.copy,
                  &task.copies, &token, &end) != 3 ||
      task.copy < 1 || task.copy > task.copies || task.copies > kMostCopies) {
    return std::nullopt;
  }
  task.startToken = token;
  --argc;
  return task;
}

std::string CopyFolder(int copy, int copies) {
  return "job-" + std::to_string(copy) + "-of-" + std::to_string(copies);
}

void ScaleAgainstOneCopy(std::vector<CountResult>& counts) {
  if (counts.empty()) return;
  const CountResult* base = &counts.front();
  for (const CountResult& count : counts) {
    if (count.copies == 1) base = &count;
  }
  const auto allComplete = [](const CountResult& count) {
    return !count.results.empty() &&
           std::all_of(count.results.begin(), count.results.end(),
                       [](const CopyResult& copy) { return copy.complete && *copy.seconds > 0; });
  };
  for (CountResult& count : counts) {
    count.throughput.reset();
    count.efficiency.reset();
  }
  if (!allComplete(*base)) return;
  double baseSeconds = 0;
  for (const CopyResult& copy : base->results) baseSeconds += *copy.seconds;
  baseSeconds /= static_cast<double>(base->results.size());
  for (CountResult& count : counts) {
    if (!allComplete(count)) continue;
    double throughput = 0;
    for (const CopyResult& copy : count.results) throughput += baseSeconds / *copy.seconds;
    count.throughput = throughput;
    count.efficiency = throughput / count.copies;
  }
}

int RunJobs(const CliOptions& options, const SessionSetup& setup, std::FILE* out,
            DocumentFile* document) {
  TerminalHost::InstallInterruptHandler();
  // Built before the first copy starts (forked copies inherit it; elsewhere each copy builds
  // its own before the start signal).
  if (primeCount == 0) BuildPrimeTable();
  const ReferenceTexts reference =
      ReadReferenceFile(options.directory / kReferenceFileName);
  DocumentContext context = ContextFor(options, options.directory, reference);
  context.standardWorkload = setup.workload == Workload::Standard();
  std::vector<CountResult> counts;
  const auto write = [&](bool finished) {
    if (document == nullptr) return 0;
    const int error = document->Write(
        DocumentText(BuildDocument(context, {}, {}, JobsJson(counts), finished)), finished);
    if (error != 0) {
      Complain("--json " + document->path().string() + ": cannot write the document: " +
               std::strerror(error));
    }
    return error;
  };
  int exitCode = 0;
  for (int copies : options.jobCounts) {
    Complain("running " + std::to_string(copies) + (copies == 1 ? " copy" : " copies") +
             " at once");
    counts.push_back(RunCount(options, setup, copies));
    ScaleAgainstOneCopy(counts);
    for (const CopyResult& copy : counts.back().results) {
      exitCode = WorstStatus(exitCode, copy.exitCode > 128 ? kExitRunFailed : copy.exitCode);
    }
    if (TerminalHost::InterruptPending() ||
        std::any_of(counts.back().results.begin(), counts.back().results.end(),
                    [](const CopyResult& copy) { return copy.exitCode == kExitInterrupted; })) {
      exitCode = kExitInterrupted;
    }
    write(false);
    if (exitCode == kExitInterrupted) break;
  }
  if (exitCode == kExitInterrupted) context.stop = JobsStop(options.jobCounts, counts.size());

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
    std::fprintf(out, "%-7d %24s %12s\n", count.copies,
                 Figure(count.throughput, "%.3fx").c_str(),
                 Figure(count.efficiency, "%.1f%%", 100).c_str());
  }
  std::fflush(out);
  if (write(true) != 0) exitCode = WorstStatus(exitCode, kExitRunFailed);
  return exitCode;
}

nlohmann::json JobsJson(const std::vector<CountResult>& counts) {
  nlohmann::json list = nlohmann::json::array();
  for (const CountResult& count : counts) {
    nlohmann::json copies = nlohmann::json::array();
    for (const CopyResult& copy : count.results) {
      copies.push_back({{"folder", copy.folder},
                        {"exit_code", copy.exitCode},
                        {"seconds", OrNull(copy.seconds)},
                        {"complete", copy.complete},
                        {"state", copy.state}});
    }
    list.push_back({{"copies", count.copies},
                    {"results", copies},
                    {"throughput", OrNull(count.throughput)},
                    {"efficiency", OrNull(count.efficiency)}});
  }
  return list;
}

}  // namespace tallyforge::cli

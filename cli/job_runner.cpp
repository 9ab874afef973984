#include "job_runner.h"

#include <cstring>

#include "copy_processes.h"
#include "exit_status.h"
#include "folder_claim.h"
#include "jobs_summary.h"
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
      count.results.push_back(CopyNotStarted(folder, why));
    } else {
      count.results.push_back(CopyEnded(options.directory, folder, exit->exitCode, exit->signal));
    }
  }
  return count;
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
  DocumentWriter document(folder / kCopyDocumentName, stderr);
  Session session(copy, copySetup, document);
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

int RunJobs(const CliOptions& options, const SessionSetup& setup, DocumentWriter& document) {
  TerminalHost::InstallInterruptHandler();
  // Built before the first copy starts (forked copies inherit it; elsewhere each copy builds
  // its own before the start signal).
  if (primeCount == 0) BuildPrimeTable();
  DocumentContext& context = document.context();
  context = ContextAt(options.directory, ReadReferenceFile(options.directory / kReferenceFileName));
  context.arguments = options.arguments;
  context.stress = options.stress;
  context.repeat = options.repeat;
  context.standardWorkload = setup.workload == Workload::Standard();
  std::vector<CountResult> counts;
  bool interrupted = false;
  for (int copies : options.jobCounts) {
    Complain("running " + std::to_string(copies) + (copies == 1 ? " copy" : " copies") +
             " at once");
    counts.push_back(RunCount(options, setup, copies));
    ScaleAgainstOneCopy(counts);
    interrupted = TerminalHost::InterruptPending() || AnyCopyStopped(counts.back());
    document.Write(counts, false);
    if (interrupted) break;
  }
  if (interrupted) context.stop = JobsStop(options.jobCounts, counts.size());
  PrintJobsTable(setup.rows, counts);
  int status = JobsExitStatus(counts, interrupted);
  if (document.Write(counts, true) != 0) status = WorseExit(status, kExitRunFailed);
  return status;
}

}  // namespace tallyforge::cli

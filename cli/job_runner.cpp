#include "job_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "folder_claim.h"
#include "formats.h"
#include "output_file.h"
#include "prime_table.h"
#include "reference_reader.h"
#include "regular_file.h"
#include "result_check.h"
#include "run_session.h"
#include "terminal_host.h"

namespace tallyforge::cli {
namespace {

// The child's side: wait for the start signal, run the session in its folder, leave its
// document there. Never returns.
[[noreturn]] void RunCopy(const CliOptions& options, const std::filesystem::path& folder,
                          int startPipe) {
  char go = 0;
  while (::read(startPipe, &go, 1) < 0 && errno == EINTR) {
  }
  ::close(startPipe);
  // Each copy holds its own folder; the parent holds the working folder.
  const FolderLock lock(folder);
  if (const int status = ClaimFolder(lock, stderr)) ::_exit(status);
  OutputFile rows(folder / "rows.txt");
  std::FILE* quiet = std::fopen("/dev/null", "w");
  CliOptions copy = options;
  copy.directory = folder;
  SessionSetup setup{folder, rows.is_open() ? rows.get() : stdout,
                     quiet != nullptr ? quiet : stderr, false, nullptr};
  const SessionOutcome outcome = RunSession(copy, setup);
  const nlohmann::json document =
      BuildDocument(ContextFor(copy, folder, outcome.reference), outcome.runs, outcome.scores);
  OutputFile result(folder / kCopyDocumentName);
  if (result.is_open()) std::fprintf(result.get(), "%s\n", document.dump(2).c_str());
  result.Close();
  rows.Close();
  if (quiet != nullptr) std::fclose(quiet);
  std::fflush(nullptr);
  ::_exit(outcome.exitCode);
}

bool PrepareFolder(const CliOptions& options, const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  // A link in the folder's place would send the copy's files elsewhere.
  if (ec || !std::filesystem::is_directory(std::filesystem::symlink_status(folder, ec))) {
    return false;
  }
  // The copy's Reference.txt, written as every output file is; only its first lines are read.
  const FileText reference = ReadRegularFile(options.directory / kReferenceFileName, 1 << 20);
  if (!reference.text) {
    std::filesystem::remove(folder / kReferenceFileName, ec);
    return !ec;
  }
  OutputFile copy(folder / kReferenceFileName);
  if (!copy.is_open()) return false;
  std::fwrite(reference.text->data(), 1, reference.text->size(), copy.get());
  return copy.Close() == 0;
}

CopyResult ReadCopy(const std::filesystem::path& directory, const std::string& folder,
                    int exitCode) {
  CopyResult result{folder, exitCode, 0, false};
  std::string error;
  const auto document = LoadDocument(directory / folder / kCopyDocumentName, error);
  if (!document || !(*document)["runs"].is_array()) return result;
  bool allEnded = exitCode == 0;
  for (const auto& run : (*document)["runs"]) {
    result.seconds += run.value("seconds", 0.0);
    if (!run.value("ran", false) || run.value("stopped", true)) allEnded = false;
  }
  result.complete = allEnded;
  return result;
}

CountResult RunCount(const CliOptions& options, int copies) {
  CountResult count;
  count.copies = copies;
  int start[2];
  if (::pipe(start) != 0) return count;
  std::vector<std::pair<pid_t, std::string>> children;
  for (int k = 1; k <= copies; ++k) {
    const std::string folder = CopyFolder(k, copies);
    if (!PrepareFolder(options, options.directory / folder)) {
      std::fprintf(stderr, "tallyforge-cli: cannot prepare the folder %s\n", folder.c_str());
      count.results.push_back({folder, kExitRunFailed, 0, false});
      continue;
    }
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(start[1]);
      RunCopy(options, options.directory / folder, start[0]);
    }
    if (pid < 0) {
      count.results.push_back({folder, kExitRunFailed, 0, false});
      continue;
    }
    children.emplace_back(pid, folder);
  }
  // Every copy is forked and waiting: closing the pipe starts them together.
  ::close(start[0]);
  ::close(start[1]);
  for (const auto& [pid, folder] : children) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    count.results.push_back(ReadCopy(options.directory, folder, code));
  }
  return count;
}

}  // namespace

std::string CopyFolder(int copy, int copies) {
  return "job-" + std::to_string(copy) + "-of-" + std::to_string(copies);
}

void ScaleAgainstOneCopy(std::vector<CountResult>& counts) {
  if (counts.empty()) return;
  const CountResult* base = &counts.front();
  for (const CountResult& count : counts) {
    if (count.copies == 1) base = &count;
  }
  double baseSeconds = 0;
  for (const CopyResult& copy : base->results) baseSeconds += copy.seconds;
  if (base->results.empty() || baseSeconds <= 0) return;
  baseSeconds /= static_cast<double>(base->results.size());
  for (CountResult& count : counts) {
    count.throughput = 0;
    for (const CopyResult& copy : count.results) {
      if (copy.seconds > 0) count.throughput += baseSeconds / copy.seconds;
    }
    count.efficiency = count.throughput / count.copies;
  }
}

int RunJobs(const CliOptions& options, std::FILE* out, std::vector<CountResult>& counts) {
  if (primeCount == 0) BuildPrimeTable();  // built once, inherited by every copy
  TerminalHost::InstallInterruptHandler();
  int exitCode = 0;
  for (int copies : options.jobCounts) {
    std::fprintf(stderr, "tallyforge-cli: running %d cop%s at once\n", copies,
                 copies == 1 ? "y" : "ies");
    counts.push_back(RunCount(options, copies));
    for (const CopyResult& copy : counts.back().results) {
      if (copy.exitCode != 0 && exitCode != kExitInterrupted) exitCode = copy.exitCode;
    }
    if (exitCode == kExitInterrupted) break;
  }
  ScaleAgainstOneCopy(counts);

  std::fprintf(out, "%-7s %-14s %12s  %s\n", "Copies", "Folder", "Seconds", "");
  for (const CountResult& count : counts) {
    for (const CopyResult& copy : count.results) {
      std::fprintf(out, "%-7d %-14s %12s  %s\n", count.copies, copy.folder.c_str(),
                   TimeText(copy.seconds).c_str(),
                   copy.complete ? "complete" : "INCOMPLETE (see its rows.txt)");
    }
  }
  std::fprintf(out, "\n%-7s %24s %12s\n", "Copies", "Throughput vs one copy", "Efficiency");
  for (const CountResult& count : counts) {
    std::fprintf(out, "%-7d %23.3fx %11.1f%%\n", count.copies, count.throughput,
                 count.efficiency * 100);
  }
  std::fflush(out);
  return exitCode;
}

nlohmann::json JobsJson(const std::vector<CountResult>& counts) {
  nlohmann::json list = nlohmann::json::array();
  for (const CountResult& count : counts) {
    nlohmann::json copies = nlohmann::json::array();
    for (const CopyResult& copy : count.results) {
      copies.push_back({{"folder", copy.folder},
                        {"exit_code", copy.exitCode},
                        {"seconds", copy.seconds},
                        {"complete", copy.complete}});
    }
    list.push_back({{"copies", count.copies},
                    {"results", copies},
                    {"throughput", count.throughput},
                    {"efficiency", count.efficiency}});
  }
  return list;
}

}  // namespace tallyforge::cli

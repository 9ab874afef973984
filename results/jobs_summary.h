#pragma once
// --jobs as results: the copy counts asked for, how each copy ended and what its folder holds,
// the copies' throughput against one copy alone, the table the runner prints and the exit
// status they add up to. The processes themselves are the runner's.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallyforge {

// The most copies --jobs starts at once.
inline constexpr int kMostCopies = 256;

// What each copy leaves in its folder.
inline constexpr const char* kCopyDocumentName = "result.json";
inline constexpr const char* kCopyRowsName = "rows.txt";

// "4": one copy, then four; "all": the same for every logical core; "1..4": 1, 2, 3 and 4
// copies in turn. None for anything else, or counts outside 1 to kMostCopies.
std::optional<std::vector<int>> ParseJobCounts(const std::string& text, int logicalCores);

// "job-K-of-N": the folder of copy k of n under the working directory.
std::string CopyFolder(int copy, int copies);

struct CopyResult {
  std::string folder;  // relative to the working directory
  int exitCode = 0;    // 128 + the signal for a copy killed by one
  std::optional<double> seconds;  // the sum of its benchmarks' measured times, when complete
  bool complete = false;  // exit 0, every run verified, and its finished document read back
  std::string state;      // "complete", "stopped", "killed by signal 9", "failed (exit 1)", ...
  bool started = true;    // false: no process ran (its folder refused, none could be made)
};

struct CountResult {
  int copies = 0;
  std::vector<CopyResult> results;
  // None unless every copy of this count and of the one it is measured against completed.
  std::optional<double> throughput;  // the copies' work per second against one copy alone
  std::optional<double> efficiency;  // throughput / copies
};

// How the copy in folder (under directory) ended, from its exit status (or the signal that
// killed it) and, after exit 0, its finished document read back.
CopyResult CopyEnded(const std::filesystem::path& directory, const std::string& folder,
                     int exitCode, int signal);

// A copy that never ran, and why.
CopyResult CopyNotStarted(const std::string& folder, const std::string& why);

// Throughput and efficiency of each count against the single-copy time: from the count of one
// when present, otherwise the first count's mean per-copy time.
void ScaleAgainstOneCopy(std::vector<CountResult>& counts);

// Whether a copy of count was stopped (by a Ctrl-C passed on, or one of its own).
bool AnyCopyStopped(const CountResult& count);

// The exit status of --jobs: 130 when interrupted, else the worst of the copies' (a copy killed
// by a signal counts as a failure, 1).
int JobsExitStatus(const std::vector<CountResult>& counts, bool interrupted);

// Each copy's folder, time and state, then each count's throughput and efficiency.
void PrintJobsTable(std::FILE* out, const std::vector<CountResult>& counts);

}  // namespace tallyforge

#pragma once
// --jobs: copies of the work in separate processes at once, each with its own engine state and
// its own folder, and the multi-core figures against one copy alone.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli_options.h"
#include "document_file.h"

namespace tallyforge::cli {

struct SessionSetup;

inline constexpr const char* kCopyDocumentName = "result.json";
inline constexpr const char* kCopyRowsName = "rows.txt";

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

// "job-K-of-N": the folder of copy k of n under the working directory.
std::string CopyFolder(int copy, int copies);

// Throughput and efficiency of each count against the single-copy time: from the count of one
// when present, otherwise the first count's mean per-copy time.
void ScaleAgainstOneCopy(std::vector<CountResult>& counts);

// Runs every count of options.jobCounts in turn (each copy a session of setup in its folder),
// prints the per-copy times and the scaling curve to out, and writes document (when given)
// after every count. Returns the exit code: 130 after Ctrl-C, else the worst of the copies'.
int RunJobs(const CliOptions& options, const SessionSetup& setup, std::FILE* out,
            DocumentFile* document);

nlohmann::json JobsJson(const std::vector<CountResult>& counts);

}  // namespace tallyforge::cli

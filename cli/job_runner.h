#pragma once
// --jobs: copies of the work in separate processes at once, each with its own engine state and
// its own folder, and the multi-core figures against one copy alone.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_options.h"

namespace tallyforge::cli {

inline constexpr const char* kCopyDocumentName = "result.json";

struct CopyResult {
  std::string folder;  // relative to the working directory
  int exitCode = 0;
  double seconds = 0;  // the sum of its benchmarks' measured times
  bool complete = false;  // every run ended normally and its document was read back
};

struct CountResult {
  int copies = 0;
  std::vector<CopyResult> results;
  double throughput = 0;  // the copies' work per second against one copy alone
  double efficiency = 0;  // throughput / copies
};

// "job-K-of-N": the folder of copy k of n under the working directory.
std::string CopyFolder(int copy, int copies);

// Throughput and efficiency of each count against the single-copy time: from the count of one
// when present, otherwise the first count's mean per-copy time.
void ScaleAgainstOneCopy(std::vector<CountResult>& counts);

// Runs every count of options.jobCounts in turn, prints the per-copy times and the scaling
// curve to out. Returns the exit code (the worst of the copies') and the figures.
int RunJobs(const CliOptions& options, std::FILE* out, std::vector<CountResult>& counts);

nlohmann::json JobsJson(const std::vector<CountResult>& counts);

}  // namespace tallyforge::cli

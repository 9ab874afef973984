#pragma once
// One copy of the work: the named benchmarks or the stress run, --repeat times, recorded.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "cli_options.h"
#include "exit_status.h"
#include "reference_reader.h"
#include "result_document.h"
#include "run_recorder.h"
#include "terminal_host.h"
#include "workload.h"

namespace tallyforge::cli {


struct SessionSetup {
  std::filesystem::path directory;  // Reference.txt is read and output files written here
  std::FILE* rows = stdout;
  std::FILE* progress = stderr;
  bool progressIsTerminal = false;
  // Called once before any work, with the host and the work to run (the test runner's hooks).
  std::function<void(TerminalHost&, Workload&)> prepare;
};

struct SessionOutcome {
  int exitCode = 0;  // 0 or one of the exit statuses
  ReferenceTexts reference;
  std::vector<RecordedRun> runs;
  std::vector<PassScore> scores;  // one per pass of a stress run
};

// Builds the prime table if needed, reads Reference.txt, runs every pass and prints the rows
// (and, over several passes, the statistics). Stops at the first pass a Ctrl-C ends.
SessionOutcome RunSession(const CliOptions& options, const SessionSetup& setup);

// The document's context for options, the folder the session ran in and its reference texts,
// at the current time.
DocumentContext ContextFor(const CliOptions& options, const std::filesystem::path& directory,
                           const ReferenceTexts& reference);

}  // namespace tallyforge::cli

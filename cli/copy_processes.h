#pragma once
// The copies of --jobs as processes: each platform's way of starting them together and waiting
// for them (job_runner_posix.cpp, job_runner_windows.cpp), and the work of one copy.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "cli_options.h"
#include "run_session.h"

namespace tallyforge::cli {

struct CopyExit {
  bool started = false;
  int error = 0;   // when not started: the errno why (no process could be made)
  int exitCode = 0;
  int signal = 0;  // the signal that killed it (POSIX), else 0
};

// Starts a copy for each number in copyNumbers (in the folder CopyFolder(k, copies) under
// options.directory), lets them begin together and waits for all of them; a Ctrl-C this
// process takes is passed on, and the copies end with this process however it ends (on Linux
// each gets SIGTERM, a stop; on Windows a job object ends them). One exit per number, in the
// same order.
std::vector<CopyExit> RunCopyProcesses(const CliOptions& options, const SessionSetup& setup,
                                       const std::vector<int>& copyNumbers, int copies);

// The work of one copy, in the copy's own process: a session in folder, holding that folder,
// its rows and document left there. Returns the copy's exit status.
int RunCopySession(const CliOptions& options, const SessionSetup& setup,
                   const std::filesystem::path& folder);

// A process started as a copy (where copies are new processes of the program, not forks): the
// hidden last argument names the copy and the start signal it waits for.
inline constexpr const char* kCopyArgument = "--jobs-copy=";
struct CopyTask {
  int copy = 0;
  int copies = 0;
  uint64_t startToken = 0;  // the platform's handle of the start signal
};

// The copy task of the hidden last argument, which is then dropped from argv; none without one.
std::optional<CopyTask> TakeCopyTask(int& argc, char** argv);

// Runs this process as copy task.copy of task.copies: its own prime table, then, once the start
// signal comes, RunCopySession. Returns its exit status.
int RunAsCopy(const CliOptions& options, const SessionSetup& setup, const CopyTask& task);

}  // namespace tallyforge::cli

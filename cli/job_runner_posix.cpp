// The copies of --jobs on POSIX systems: forked children, started together through a pipe.
#include <pthread.h>
#include <signal.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "copy_processes.h"
#include "exit_status.h"
#include "job_runner.h"
#include "messages.h"
#include "terminal_host.h"

namespace tallyforge::cli {
namespace {

// The child's side: wait for the start signal, run the session in its folder, leave its
// document there. Never returns: not even an exception may unwind into the parent's frames.
[[noreturn]] void RunCopy(const CliOptions& options, const SessionSetup& setup,
                          const std::filesystem::path& folder, int startPipe, pid_t parent,
                          const sigset_t& unblocked) {
  int status = kExitInternal;
  try {
    // A terminal's Ctrl-C reaches the copy and its parent, which passes it on: any of them
    // stops the copy's run, none ends the copy before its document is written. The stop
    // signals are blocked until the copy's own handler is in place: the parent's, inherited,
    // would end the copy at a second one (a Ctrl-C the parent took before the fork, then the
    // one it passes on).
    TerminalHost::InstallInterruptHandler(/*secondEndsProcess=*/false);
    ::pthread_sigmask(SIG_SETMASK, &unblocked, nullptr);
#ifdef __linux__
    // The copy stops with its parent, however the parent ends (SIGKILL too): never an orphan
    // that holds its folder and runs on.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
    if (::getppid() != parent) ::_exit(kExitInterrupted);  // the parent has already gone
    char go = 0;
    while (::read(startPipe, &go, 1) < 0 && errno == EINTR) {
    }
    ::close(startPipe);
    status = RunCopySession(options, setup, folder);
  } catch (const std::exception& e) {
    Complain(std::string("internal error in a copy: ") + e.what());
  }
  std::fflush(nullptr);
  ::_exit(status);
}

// Waits for every child; a Ctrl-C the parent takes is passed on to the copies, which stop as a
// terminal's Ctrl-C would stop them. Polled, so that one arriving just before a wait is not
// missed; twenty wake-ups a second cost the copies nothing measurable.
std::vector<int> WaitForCopies(const std::vector<pid_t>& children) {
  std::vector<int> statuses;
  bool passedOn = false;
  for (pid_t pid : children) {
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 || (done < 0 && errno == EINTR)) {
      if (TerminalHost::InterruptPending() && !passedOn) {
        for (pid_t child : children) ::kill(child, SIGINT);
        passedOn = true;
      }
      ::usleep(50000);
    }
    statuses.push_back(status);
  }
  return statuses;
}

}  // namespace

std::vector<CopyExit> RunCopyProcesses(const CliOptions& options, const SessionSetup& setup,
                                       const std::vector<int>& copyNumbers, int copies) {
  std::vector<CopyExit> exits(copyNumbers.size());
  int start[2];
  if (::pipe(start) != 0) {
    for (CopyExit& exit : exits) exit.error = errno;
    return exits;
  }
  const pid_t parent = ::getpid();
  std::vector<pid_t> children;
  std::vector<size_t> started;
  sigset_t stops, unblocked;
  sigemptyset(&stops);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stops, signal);
  for (size_t i = 0; i < copyNumbers.size(); ++i) {
    std::fflush(nullptr);
    ::pthread_sigmask(SIG_BLOCK, &stops, &unblocked);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(start[1]);
      RunCopy(options, setup, options.directory / CopyFolder(copyNumbers[i], copies), start[0],
              parent, unblocked);
    }
    ::pthread_sigmask(SIG_SETMASK, &unblocked, nullptr);
    if (pid < 0) {
      exits[i].error = errno;
      continue;
    }
    children.push_back(pid);
    started.push_back(i);
  }
  // Every copy is forked and waiting: closing the pipe starts them together.
  ::close(start[0]);
  ::close(start[1]);
  const std::vector<int> statuses = WaitForCopies(children);
  for (size_t j = 0; j < started.size(); ++j) {
    CopyExit& exit = exits[started[j]];
    exit.started = true;
    if (WIFSIGNALED(statuses[j])) {
      exit.signal = WTERMSIG(statuses[j]);
    } else {
      exit.exitCode = WEXITSTATUS(statuses[j]);
    }
  }
  return exits;
}

int RunAsCopy(const CliOptions& options, const SessionSetup& setup, const CopyTask& task) {
  TerminalHost::InstallInterruptHandler(/*secondEndsProcess=*/false);
  return RunCopySession(options, setup, options.directory / CopyFolder(task.copy, task.copies));
}

}  // namespace tallyforge::cli

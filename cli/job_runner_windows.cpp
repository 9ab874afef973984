// The copies of --jobs on Windows: new processes of this program, each told by a hidden last
// argument which copy it is, started together through an inherited event.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "copy_processes.h"
#include "exit_status.h"
#include "job_runner.h"
#include "messages.h"
#include "prime_table.h"
#include "terminal_host.h"
#include "windows_error.h"

namespace tallyforge::cli {
namespace {

// This program, started with the same command line and the copy's hidden argument; in a process
// group of its own, so that the parent can pass a Ctrl-C on to it alone, and in job (when
// given) before it runs an instruction. nullptr with error set (an errno) when it cannot start.
HANDLE StartCopy(int copy, int copies, HANDLE startEvent, HANDLE job, int& error) {
  wchar_t program[MAX_PATH + 1] = L"";
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) {
    error = length == 0 ? ErrnoFromWindows(GetLastError()) : ENAMETOOLONG;
    return nullptr;
  }
  std::wstring commandLine = GetCommandLineW();
  const std::string argument = std::string(kCopyArgument) + std::to_string(copy) + "/" +
                               std::to_string(copies) + ":" +
                               std::to_string(reinterpret_cast<uintptr_t>(startEvent));
  commandLine += L" " + std::wstring(argument.begin(), argument.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, TRUE,
                      CREATE_NEW_PROCESS_GROUP | CREATE_SUSPENDED, nullptr, nullptr, &startup,
                      &process)) {
    error = ErrnoFromWindows(GetLastError());
    return nullptr;
  }
  if (job != nullptr) AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);
  return process.hProcess;
}

// A job whose copies end when its last handle closes: this process's, which the system closes
// however the process ends. nullptr where the system offers none; the copies then run on.
HANDLE CopiesEndWithThisProcess() {
  const HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job == nullptr) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

// Waits for every copy; a Ctrl-C the parent takes is passed on as a Ctrl-Break, which the
// copies take as a Ctrl-C. Polled, as on POSIX, so that one arriving just before a wait is not
// missed.
void WaitForCopies(const std::vector<HANDLE>& children) {
  bool passedOn = false;
  for (HANDLE child : children) {
    while (WaitForSingleObject(child, 50) == WAIT_TIMEOUT) {
      if (TerminalHost::InterruptPending() && !passedOn) {
        for (HANDLE other : children) GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, GetProcessId(other));
        passedOn = true;
      }
    }
  }
}

}  // namespace

std::vector<CopyExit> RunCopyProcesses(const CliOptions&, const SessionSetup&,
                                       const std::vector<int>& copyNumbers, int copies) {
  std::vector<CopyExit> exits(copyNumbers.size());
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE start = CreateEventW(&inherited, TRUE, FALSE, nullptr);
  if (start == nullptr) {
    for (CopyExit& exit : exits) exit.error = ErrnoFromWindows(GetLastError());
    return exits;
  }
  const HANDLE job = CopiesEndWithThisProcess();  // not inherited: only this process holds it
  std::fflush(nullptr);
  std::vector<HANDLE> children;
  std::vector<size_t> started;
  for (size_t i = 0; i < copyNumbers.size(); ++i) {
    if (const HANDLE child = StartCopy(copyNumbers[i], copies, start, job, exits[i].error)) {
      children.push_back(child);
      started.push_back(i);
    }
  }
  // Every copy is started and builds its prime table, then waits: the event starts them
  // together.
  SetEvent(start);
  WaitForCopies(children);
  for (size_t j = 0; j < started.size(); ++j) {
    DWORD code = kExitInternal;
    GetExitCodeProcess(children[j], &code);
    CloseHandle(children[j]);
    exits[started[j]].started = true;
    exits[started[j]].exitCode = static_cast<int>(code);
  }
  CloseHandle(start);
  if (job != nullptr) CloseHandle(job);
  return exits;
}

int RunAsCopy(const CliOptions& options, const SessionSetup& setup, const CopyTask& task) {
  // A Ctrl-C stops the copy's run; none ends the copy before its document is written.
  TerminalHost::InstallInterruptHandler(/*secondEndsProcess=*/false);
  // The copy's own prime table, before the start: outside the timed work, as a fork's is.
  if (primeCount == 0) BuildPrimeTable();
  const HANDLE start = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(task.startToken));
  WaitForSingleObject(start, INFINITE);
  CloseHandle(start);
  return RunCopySession(options, setup, options.directory / CopyFolder(task.copy, task.copies));
}

}  // namespace tallyforge::cli

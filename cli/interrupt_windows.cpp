// Ctrl-C on Windows: a console control handler, which the system calls on a thread of its own;
// a closed console window, a log-off or a shut-down gets the same orderly stop.
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "atomic_file.h"
#include "interrupt.h"

namespace tallyforge::cli {
namespace {

std::atomic<int> interruptPending{0};
std::atomic<bool> secondEnds{true};
std::atomic<bool> anyArrived{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  const bool closing = event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT ||
                       event == CTRL_SHUTDOWN_EVENT;
  // Ctrl-Break is how a parent passes a Ctrl-C on to the copies it started (a process group
  // of their own takes no Ctrl-C).
  if (!closing && event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (anyArrived.exchange(true) && secondEnds) {
    RemovePendingTemporary();
    return FALSE;  // the default: the process ends
  }
  interruptPending = 1;
  // The system ends the process as soon as this returns from a closing event: held here, the
  // run stops and writes its document first (the process's end ends this thread).
  if (closing) Sleep(INFINITE);
  return TRUE;
}

}  // namespace

void InstallInterruptHandler(bool secondEndsProcess) {
  secondEnds = secondEndsProcess;
  SetConsoleCtrlHandler(nullptr, FALSE);  // Ctrl-C back on in a process group of its own
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptPending() { return interruptPending != 0; }

bool TakeInterrupt() { return interruptPending.exchange(0) != 0; }

void RaiseInterrupt() { OnConsoleControl(CTRL_C_EVENT); }

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace tallyforge::cli

// Ctrl-C on Windows: a console control handler, which the system calls on a thread of its own.
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "interrupt.h"

namespace tallyforge::cli {
namespace {

std::atomic<int> interruptPending{0};
std::atomic<bool> secondEnds{true};
std::atomic<bool> anyArrived{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  // Ctrl-Break is how a parent passes a Ctrl-C on to the copies it started (a process group
  // of their own takes no Ctrl-C).
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (anyArrived.exchange(true) && secondEnds) return FALSE;  // the default: the process ends
  interruptPending = 1;
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

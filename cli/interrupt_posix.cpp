// Ctrl-C on POSIX systems: SIGINT.
#include <unistd.h>

#include <csignal>

#include "interrupt.h"

namespace tallyforge::cli {
namespace {

volatile std::sig_atomic_t interruptPending = 0;

extern "C" void OnInterrupt(int) { interruptPending = 1; }

}  // namespace

void InstallInterruptHandler(bool secondEndsProcess) {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = secondEndsProcess ? SA_RESETHAND : 0;  // reset: a second one is not caught
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

bool InterruptPending() { return interruptPending != 0; }

bool TakeInterrupt() {
  if (interruptPending == 0) return false;
  interruptPending = 0;
  return true;
}

void RaiseInterrupt() { std::raise(SIGINT); }

bool StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace tallyforge::cli

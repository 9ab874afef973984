// Ctrl-C on POSIX systems: SIGINT, and SIGTERM and SIGHUP (a kill, a closed terminal), which ask
// the process to end and get the same orderly stop.
#include <unistd.h>

#include <csignal>

#include "atomic_file.h"
#include "interrupt.h"

namespace tallyforge::cli {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t interruptPending = 0;
volatile std::sig_atomic_t anyArrived = 0;
volatile std::sig_atomic_t secondEnds = 1;

extern "C" void OnInterrupt(int signal) {
  if (anyArrived != 0 && secondEnds != 0) {
    // A second one ends the process as the signal would have, but leaves no temporary file.
    RemovePendingTemporary();
    std::signal(signal, SIG_DFL);
    std::raise(signal);  // delivered as the handler returns
    return;
  }
  anyArrived = 1;
  interruptPending = 1;
}

}  // namespace

void InstallInterruptHandler(bool secondEndsProcess) {
  secondEnds = secondEndsProcess ? 1 : 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  for (int signal : kStopSignals) sigaddset(&action.sa_mask, signal);  // one at a time
  for (int signal : kStopSignals) {
    // A hang-up or termination the process was started to ignore (nohup) stays ignored.
    struct sigaction before {};
    if (signal != SIGINT && sigaction(signal, nullptr, &before) == 0 &&
        before.sa_handler == SIG_IGN) {
      continue;
    }
    sigaction(signal, &action, nullptr);
  }
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

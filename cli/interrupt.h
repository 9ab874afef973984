#pragma once
// Ctrl-C as STOP: the platform's way of catching it (a signal handler, a console control
// handler) behind one pending flag, and whether the progress goes to a terminal. A request to
// end the process (SIGTERM, SIGHUP; a closed console) is taken as a Ctrl-C.

namespace tallyforge::cli {

// Makes the first Ctrl-C a pending interrupt; a second one ends the process as usual (leaving
// no temporary file), or is one more interrupt when secondEndsProcess is false.
void InstallInterruptHandler(bool secondEndsProcess);
// Whether a Ctrl-C has arrived and not yet been taken.
bool InterruptPending();
// Takes a pending interrupt: true once for each.
bool TakeInterrupt();
// Delivers a Ctrl-C to this process as the terminal would; for the test hooks.
void RaiseInterrupt();

// Whether standard error is a terminal (a console on Windows).
bool StderrIsTerminal();

}  // namespace tallyforge::cli

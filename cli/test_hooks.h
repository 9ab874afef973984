#pragma once
// Built into the test runner binary only, never into tallyforge-cli: lets the runner's tests
// use short work and damage a result, to prove that the checks catch it.
#include "bench_engine.h"
#include "terminal_host.h"

namespace tallyforge::cli {

// TALLYFORGE_TEST_SHORT_WORK=1: a workload of short ranges, so a stress pass takes well under a
// second; B9's one progress point is at its last number.
// TALLYFORGE_TEST_DAMAGE=B<k>@<n>: after the n-th run of benchmark k (1 when @<n> is left
// out), one prime or factor it wrote is changed before the check (for B8, a table entry).
// TALLYFORGE_TEST_INTERRUPT=B<k>@<n>: a Ctrl-C (SIGINT) at the n-th progress point of benchmark k.
void ApplyTestHooks(TerminalHost& host, Workload& workload);

}  // namespace tallyforge::cli

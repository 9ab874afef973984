#pragma once
// Built into the test runner binary only, never into tallyforge-cli: lets the runner's tests
// use short work and spoil a result, to prove that the checks and verdicts catch it.
#include <functional>

#include "run_outcome.h"
#include "run_session.h"

namespace tallyforge::cli {

// TALLYFORGE_TEST_SHORT_WORK=1: a workload of short ranges, so a stress pass takes well under
// a second; B9's one progress point is at its last number.
// TALLYFORGE_TEST_INTERRUPT=B<k>@<n>: a Ctrl-C (SIGINT) at the n-th progress point of benchmark k.
// TALLYFORGE_TEST_OFFLINE=<p>@<n>: --each-core cannot pin to processor p (EINVAL, as for one
//   gone offline) at its n-th turn (every turn when @<n> is left out).
// Called with each finished run before its check:
// TALLYFORGE_TEST_DAMAGE=B<k>@<n>: after the n-th run of benchmark k (1 when @<n> is left out),
//   one prime or factor it wrote is changed (for B8, a table entry);
// TALLYFORGE_TEST_HIDE=B<k>@<n>: the same run's output file is removed, so it cannot be checked;
// TALLYFORGE_TEST_THROW=B<k>@<n>: an exception is thrown there, for the last-resort handler.
void ApplyTestHooks(SessionSetup& setup);

}  // namespace tallyforge::cli

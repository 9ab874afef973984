#include "run_check.h"

namespace tallyforge {

CheckedRun CheckRun(const RunOutcome& outcome, const Workload& workload) {
  CheckedRun result;
  result.verification = VerifyRun(outcome, workload);
  result.verdict = JudgeRun(outcome.ran, outcome.stopped, result.verification.status);
  result.fileProblem = FileProblemText(outcome);
  return result;
}

}  // namespace tallyforge

#include "run_check.h"

namespace tallyforge {

const char* VerdictName(RunVerdict verdict) {
  switch (verdict) {
    case RunVerdict::kVerified: return "verified";
    case RunVerdict::kStopped: return "stopped";
    case RunVerdict::kNotChecked: return "not checked";
    case RunVerdict::kNotRun: return "not run";
    case RunVerdict::kWrong: return "WRONG";
  }
  return "not checked";
}

RunVerdict JudgeRun(bool ran, bool stopped, CheckStatus check) {
  if (!ran) return RunVerdict::kNotRun;
  if (check == CheckStatus::kWrong) return RunVerdict::kWrong;
  if (check != CheckStatus::kVerified) return RunVerdict::kNotChecked;
  return stopped ? RunVerdict::kStopped : RunVerdict::kVerified;
}

CheckedRun CheckRun(const RunOutcome& outcome, const Workload& workload) {
  CheckedRun result;
  result.verification = VerifyRun(outcome, workload);
  result.verdict = JudgeRun(outcome.ran, outcome.stopped, result.verification.status);
  result.fileProblem = FileProblemText(outcome);
  return result;
}

}  // namespace tallyforge

#include "run_verdict.h"

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

}  // namespace tallyforge

#include "exit_status.h"

namespace tallyforge {
namespace {

int Rank(int status) {
  switch (status) {
    case 0: return 0;
    case kExitInterrupted: return 1;
    case kExitNotChecked: return 2;
    case kExitWrongResult: return 4;
    default: return 3;
  }
}

int StatusOf(const RecordedRun& run) {
  if (run.check.verdict == RunVerdict::kWrong) return kExitWrongResult;
  if (!run.outcome.ok()) return kExitRunFailed;
  return run.check.verdict == RunVerdict::kNotChecked ? kExitNotChecked : 0;
}

}  // namespace

int WorseExit(int a, int b) { return Rank(b) > Rank(a) ? b : a; }

int ExitStatusOf(const std::vector<RecordedRun>& runs, bool stopped) {
  int status = stopped ? kExitInterrupted : 0;
  for (const RecordedRun& run : runs) status = WorseExit(status, StatusOf(run));
  return status;
}

}  // namespace tallyforge

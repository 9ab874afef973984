#pragma once
// The one check of a finished run that every front end makes (the runner after each row, the
// window after each run), and the verdict that follows from it.
#include <string>

#include "run_outcome.h"
#include "verification.h"
#include "workload.h"

namespace tallyforge {

// From best to worst. Only kVerified counts as a verified result.
enum class RunVerdict {
  kVerified,    // ran to its end and everything it wrote is right
  kStopped,     // ended by a stop; what it wrote until then is right
  kNotChecked,  // its result could not be checked (its file incomplete or unreadable)
  kNotRun,      // its output file could not be created: nothing ran
  kWrong,       // a result proven wrong
};

// "verified", "stopped", "not checked", "not run", "WRONG".
const char* VerdictName(RunVerdict verdict);

// The verdict on a run from what it did and what its check found.
RunVerdict JudgeRun(bool ran, bool stopped, CheckStatus check);

struct CheckedRun {
  Verification verification;
  RunVerdict verdict = RunVerdict::kNotRun;
  std::string fileProblem;  // what went wrong with its output file; empty when nothing did
};

// Checks the run outcome describes, done under workload. Call after the run has ended (its
// time is taken): reads its files, never writes.
CheckedRun CheckRun(const RunOutcome& outcome, const Workload& workload);

}  // namespace tallyforge

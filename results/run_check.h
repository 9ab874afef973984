#pragma once
// The one check of a finished run that every front end makes (the runner after each row, the
// window after each run), and the verdict that follows from it.
#include <string>

#include "run_outcome.h"
#include "run_verdict.h"
#include "verification.h"
#include "workload.h"

namespace tallyforge {

struct CheckedRun {
  Verification verification;
  RunVerdict verdict = RunVerdict::kNotRun;
  std::string fileProblem;  // what went wrong with its output file; empty when nothing did
};

// Checks the run outcome describes, done under workload. Call after the run has ended (its
// time is taken): reads its files, never writes.
CheckedRun CheckRun(const RunOutcome& outcome, const Workload& workload);

}  // namespace tallyforge

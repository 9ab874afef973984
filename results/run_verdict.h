#pragma once
// The verdict on one finished run, from what it did and what its check found: what the runner
// prints under each row, the window shows beside its status line and check counts.
#include "verification.h"

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

}  // namespace tallyforge

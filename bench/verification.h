#pragma once
// The check of a finished run against an independent computation of its result, as plain data
// that any front end can show: the runner prints it per row, a window can put it in its status.
#include <cstdint>
#include <filesystem>
#include <string>

#include "run_outcome.h"
#include "workload.h"

namespace tallyforge {

enum class CheckStatus {
  kVerified,    // everything the run wrote is right
  kWrong,       // the first wrong item is described
  kUnreadable,  // the output file could not be read back
  kNotChecked,  // nothing to check: the run did not take place or its file is incomplete
};

struct Verification {
  int bench = 0;
  CheckStatus status = CheckStatus::kNotChecked;
  bool partial = false;   // a stopped run: only the part it wrote was checked
  int64_t checked = 0;    // primes (B1 to B8) or numbers (B9) confirmed
  std::filesystem::path file;
  int64_t line = 0;       // kWrong in a file: its first wrong line, from 1
  std::string place;      // kWrong elsewhere (B8): which count or table entry
  std::string found;      // kWrong: what the run wrote there
  std::string expected;   // kWrong: what it should be
  std::string reason;     // kWrong: why, in a few words; kUnreadable, kNotChecked: why not
  double seconds = 0;     // the check's own time, never part of the benchmark's

  bool ok() const { return status == CheckStatus::kVerified; }
  // A result proven wrong (as opposed to one that could not be checked).
  bool wrong() const { return status == CheckStatus::kWrong; }
};

// Checks what the run described by outcome produced under workload: the Numbers file of B1 to
// B7 and Factors.txt of B9 read back, B8's counts and tables. Call after the run has ended;
// reads, never writes. A stopped run is checked as far as it got.
Verification VerifyRun(const RunOutcome& outcome, const Workload& workload);

// One line for a terminal or a status line, without a newline: "verified: 74521 primes (check
// 0.004 s)" or "WRONG at line 12 of Numbers_0000000000005.txt: found ..., expected ...".
std::string VerificationText(const Verification& verification);

}  // namespace tallyforge

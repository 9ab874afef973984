#pragma once
// What is kept of each run for statistics and the result document: plain data.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "machine_facts.h"
#include "run_check.h"
#include "run_outcome.h"

namespace tallyforge {

struct RecordedRun {
  int pass = 1;  // 1-based pass of --repeat
  RunOutcome outcome;
  std::string yourTime, refTime, percent;  // the row's cells after the run
  std::vector<int32_t> progressTicks;     // the elapsed ticks at each progress point
  std::optional<std::string> fileSha256;  // of the output file, when there is one to read
  MachineSample before, after;            // taken around the run, outside its timed stretch
  CheckedRun check;                       // its check, made once the run had ended
  std::optional<int> processor;           // --each-core: the logical processor it was pinned to
};

// One pass's total score cell; only stress runs have them.
struct PassScore {
  int pass = 1;
  bool scored = false;
  std::string text;  // the cell, e.g. "1000\n"
  std::optional<double> value;  // its number, when scored and the cell holds one
};

}  // namespace tallyforge

#pragma once
// The verifiers behind VerifyRun (verification.cpp), one per verify_*.cpp: the Numbers files'
// and Factors.txt's text and B8's searches, apart from any file access, so that the fuzz target
// can feed them arbitrary bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "run_outcome.h"
#include "verification.h"
#include "workload.h"

namespace tallyforge {

// A Numbers file: its prime lines against a sieve of range's candidates (after 2 and 3 when
// withTwoAndThree), then the empty line and "Prime Found : <count>". When complete is false
// (a stopped run) a shorter list of primes is right as long as it starts the full one.
Verification CheckNumbersText(std::string_view text, const RangeSpec& range, bool withTwoAndThree,
                              bool complete);

// Factors.txt: one line per number from first, each the number's full prime factorisation in
// ascending order or " Prime"; when complete, every number up to last.
Verification CheckFactorsText(std::string_view text, double first, double last, bool complete);

// B8: the float search's found count and where each search ended against a sieve of the
// primes below limit, and the entries each search stored in its table (intPrimeTable,
// realPrimeTable) against the first primes.
Verification CheckMixedRun(const RunOutcome& outcome, int32_t limit);

// Marks result wrong at line (0: not a line of a file) with what was found and expected.
inline Verification& MarkWrong(Verification& result, int64_t line, std::string_view found,
                               std::string expected, std::string reason) {
  result.status = CheckStatus::kWrong;
  result.line = line;
  result.found = std::string(found);
  result.expected = std::move(expected);
  result.reason = std::move(reason);
  return result;
}

}  // namespace tallyforge

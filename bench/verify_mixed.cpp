// The check of B8: its count and both searches' tables against a sieve of the primes below the
// limit. B8 writes no file, so what it leaves is its found count, its end state and its tables.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "mixed_search.h"
#include "prime_sieve.h"
#include "verifiers.h"

namespace tallyforge {
namespace {

// The primes a search records before it reaches candidate, 2 and 3 included: every prime is a
// candidate of the 6k +- 1 pattern from 5 on.
int64_t PrimesBelow(const std::vector<uint64_t>& primes, double candidate) {
  return std::lower_bound(primes.begin(), primes.end(), candidate,
                          [](uint64_t p, double c) { return static_cast<double>(p) < c; }) -
         primes.begin();
}

}  // namespace

Verification CheckMixedRun(const RunOutcome& outcome, int32_t limit) {
  Verification result;
  result.partial = outcome.stopped;
  if (limit < 5) {
    result.reason = "the limit is too small to check";
    return result;
  }
  const std::vector<uint64_t> primes = PrimesUpTo(static_cast<uint64_t>(limit) - 1);
  const auto wrong = [&](std::string place, std::string found, std::string expected,
                         std::string reason) {
    result.place = std::move(place);
    return MarkWrong(result, 0, found, std::move(expected), std::move(reason));
  };
  const RunOutcome::MixedEnd& end = outcome.mixed;
  if (!outcome.stopped) {
    if (end.intCandidate < limit) {
      return wrong("the integer search's last candidate", std::to_string(end.intCandidate),
                   "at least " + std::to_string(limit), "the search ended early");
    }
    if (end.realCandidate < limit) {
      return wrong("the float search's last candidate", std::to_string(end.realCandidate),
                   "at least " + std::to_string(limit), "the search ended early");
    }
  }
  const int64_t realFound = PrimesBelow(primes, std::min<double>(end.realCandidate, limit));
  if (outcome.found != realFound) {
    return wrong("the found count", std::to_string(outcome.found), std::to_string(realFound),
                 "the float search found a different number of primes");
  }

  const int64_t room = kMixedTableSize - 1;
  const int64_t intFound = PrimesBelow(primes, std::min<double>(end.intCandidate, limit));
  const std::pair<const char*, std::pair<int64_t, int64_t>> counts[] = {
      {"integer", {end.intStored, std::min(intFound, room)}},
      {"float", {end.realStored, std::min(realFound, room)}},
  };
  for (const auto& [name, stored] : counts) {
    if (stored.first != stored.second) {
      return wrong(std::string("the number of primes in the ") + name + " table",
                   std::to_string(stored.first), std::to_string(stored.second),
                   "the search stored a different number of primes");
    }
  }
  for (int64_t entry = 1; entry <= std::max(end.intStored, end.realStored); ++entry) {
    const auto expected = static_cast<int64_t>(primes[static_cast<size_t>(entry - 1)]);
    const auto at = static_cast<size_t>(entry);
    if (entry <= end.intStored && intPrimeTable[at] != expected) {
      return wrong("entry " + std::to_string(entry) + " of the integer table",
                   std::to_string(intPrimeTable[at]), std::to_string(expected), "not that prime");
    }
    if (entry <= end.realStored && realPrimeTable[at] != static_cast<double>(expected)) {
      char found[40];
      std::snprintf(found, sizeof found, "%.17g", realPrimeTable[at]);
      return wrong("entry " + std::to_string(entry) + " of the float table", found,
                   std::to_string(expected), "not that prime");
    }
  }
  result.checked = realFound;
  result.status = CheckStatus::kVerified;
  return result;
}

}  // namespace tallyforge

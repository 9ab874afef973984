#pragma once
// What one benchmark run did, beyond the cells it wrote: for the front ends to report.
#include <cstdint>
#include <filesystem>
#include <string>

namespace tallyforge {

struct RunOutcome {
  int bench = 0;         // 1 to 9
  bool ran = false;      // false: its output file could not be created, and nothing changed
  bool stopped = false;  // ended by STOP before the end of its work
  // A STOP arrived during the run: also true when it landed where no work remained (stopped is
  // then false), so that a caller running several benchmarks never loses it.
  bool stopRequested = false;
  int32_t ticks = 0;     // the measured time
  int32_t found = 0;     // primes found (B1 to B8) or numbers factored (B9)
  std::filesystem::path file;  // the output file; empty for B8, which writes none
  int fileError = 0;     // errno: why the file could not be created, or why it is incomplete

  // B8 only, taken after its time: where each search ended and how many primes each stored in
  // its table, so that the result can be checked afterwards.
  struct MixedEnd {
    int32_t intCandidate = 0;
    double realCandidate = 0;
    int32_t intStored = 0;   // entries 1 to intStored of intPrimeTable were written by this run
    int32_t realStored = 0;  // likewise of realPrimeTable
  } mixed;

  // True when the run took place and its file, if any, holds everything it wrote.
  bool ok() const { return ran && fileError == 0; }
};

// What went wrong with the run's output file, in one line for the user ("B1 not run: cannot
// create F: reason" or "B1: write error on F: reason; the file is incomplete"); empty when
// nothing did.
std::string FileProblemText(const RunOutcome& outcome);

}  // namespace tallyforge

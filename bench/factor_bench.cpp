// B9: the prime factors of every number of a range, one line each in Factors.txt.
#include <cmath>
#include <cstdio>

#include "bench_engine.h"
#include "factorise.h"
#include "output_file.h"

namespace tallyforge {

RunOutcome BenchEngine::RunFactorBench() {
  RunOutcome outcome;
  outcome.bench = kFactorBench;
  outcome.file = m_directory / kFactorsFileName;
  OutputFile output(outcome.file);
  if (!output.is_open()) return NotRun(outcome, output);
  std::FILE* file = output.get();
  const double first = m_workload.factorFirst;
  const double last = m_workload.factorLast;

  BeginTiming();
  Factors factors;
  char line[kFactorLineSize];
  char copy[kFactorLineSize];
  int32_t written = 0;
  double n = first;
  do {
    FactorNumber(n, factors);
    FormatFactorLine(n, factors, line);
    std::snprintf(copy, sizeof copy, "%s", line);
    std::fprintf(file, "%s\n", copy);
    ++written;
    if (std::fmod(n, 1000) == 0) {
      ReportProgress(kFactorBench, TruncateToInt32((n - first) * 0.00005 * 100));
    }
    if (StopRequested()) {
      outcome.stopped = n < last;
      break;
    }
    n += 1;
  } while (n < last + 1);
  outcome.ticks = ElapsedTicks();

  outcome.fileError = output.Close();
  outcome.ran = true;
  outcome.found = written;
  FinishRow(outcome);
  return outcome;
}

}  // namespace tallyforge

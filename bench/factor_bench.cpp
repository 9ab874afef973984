// B9: the prime factors of every number of a range, one line each in Factors.txt.
#include <cstdio>

#include "bench_engine.h"
#include "bench_run.h"
#include "factorise.h"
#include "remainder.h"
#include "run_control.h"

namespace tallyforge {

RunOutcome BenchEngine::RunFactorBench() {
  BenchRun run(*this, kFactorBench, m_directory / kFactorsFileName,
               BenchRun::Closing::kNothing);
  if (!run.is_open()) return run.NotRun();
  std::FILE* file = run.file();
  const double first = m_workload.factorFirst;
  const double last = m_workload.factorLast;

  run.StartTiming();
  Factors factors;
  char line[kFactorLineSize];
  char copy[kFactorLineSize];
  int32_t written = 0;
  bool stopped = false;
  double n = first;
  do {
    FactorNumber(n, factors);
    FormatFactorLine(n, factors, line);
    std::snprintf(copy, sizeof copy, "%s", line);
    std::fprintf(file, "%s\n", copy);
    ++written;
    if (Remainder(n, 1000) == 0) {
      run.ReportProgress(TruncateToInt32((n - first) * 0.00005 * 100));
    }
    if (StopRequested()) {
      stopped = n < last;
      break;
    }
    n += 1;
  } while (n < last + 1);
  return run.Finish(written, stopped);
}

}  // namespace tallyforge

// B1 to B7: trial division in doubles over a range, every prime written to its Numbers file.
#include <cmath>
#include <cstdio>

#include "bench_engine.h"
#include "bench_run.h"
#include "prime_table.h"
#include "remainder.h"
#include "run_control.h"

namespace tallyforge {

RunOutcome BenchEngine::RunRangeBench(int row) {
  const RangeSpec& range = m_workload.ranges[static_cast<size_t>(row - 1)];
  BenchRun run(*this, row, m_directory / NumbersFileName(range.start),
               BenchRun::Closing::kPrimeCount);
  if (!run.is_open()) return run.NotRun();
  std::FILE* file = run.file();
  int32_t count = 0;
  if (row == 1) {  // 2 and 3 are not of the candidates' forms
    std::fprintf(file, "%013.0f\n", 2.0);
    std::fprintf(file, "%013.0f\n", 3.0);
    count = 2;
  }

  run.StartTiming();
  double candidate = range.start;
  int32_t step = 2;
  bool stopped = false;
  const int32_t divisors = primeCount;
  if (candidate <= range.end) {
    for (;;) {
      const double root = std::sqrt(candidate);
      bool prime = true;
      for (int32_t j = 1; j <= divisors; ++j) {
        const double divisor = primeTable[static_cast<size_t>(j)];
        if (divisor > root) break;
        if (Remainder(candidate, divisor) == 0) {
          prime = false;
          break;
        }
      }
      if (prime) {
        std::fprintf(file, "%013.0f\n", candidate);
        ++count;
        if (count % range.reportInterval == 0) {
          // The candidate's place in a nominal width of two million.
          run.ReportProgress(TruncateToInt32((1 - (range.end - candidate) * 0.0000005) * 100));
        }
      }
      step = 6 - step;  // 2 and 4 alternate, starting with 4
      if (StopRequested()) {
        stopped = candidate + step <= range.end;
        break;
      }
      candidate += step;
      if (candidate > range.end) break;
    }
  }
  return run.Finish(count, stopped);
}

}  // namespace tallyforge

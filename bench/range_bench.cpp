// B1 to B7: trial division in doubles over a range, every prime written to its Numbers file.
#include <cmath>
#include <cstdio>

#include "bench_engine.h"
#include "output_file.h"
#include "prime_table.h"

namespace tallyforge {

RunOutcome BenchEngine::RunRangeBench(int row) {
  const RangeSpec& range = m_workload.ranges[static_cast<size_t>(row - 1)];
  RunOutcome outcome;
  outcome.bench = row;
  outcome.file = m_directory / NumbersFileName(range.start);
  OutputFile output(outcome.file);
  if (!output.is_open()) return NotRun(outcome, output);
  std::FILE* file = output.get();
  int32_t count = 0;
  if (row == 1) {  // 2 and 3 are not of the candidates' forms
    std::fprintf(file, "%013.0f\n", 2.0);
    std::fprintf(file, "%013.0f\n", 3.0);
    count = 2;
  }

  BeginTiming();
  double candidate = range.start;
  int32_t step = 2;
  const int32_t divisors = primeCount;
  if (candidate <= range.end) {
    for (;;) {
      const double root = std::sqrt(candidate);
      bool prime = true;
      for (int32_t j = 1; j <= divisors; ++j) {
        const double divisor = primeTable[static_cast<size_t>(j)];
        if (divisor > root) break;
        if (std::fmod(candidate, divisor) == 0) {
          prime = false;
          break;
        }
      }
      if (prime) {
        std::fprintf(file, "%013.0f\n", candidate);
        ++count;
        if (count % range.reportInterval == 0) {
          ShowProgress(candidate, range.end, row);
          PumpOneMessage();
        }
      }
      step = 6 - step;  // 2 and 4 alternate, starting with 4
      if (StopRequested()) {
        outcome.stopped = candidate + step <= range.end;
        break;
      }
      candidate += step;
      if (candidate > range.end) break;
    }
  }
  m_endTicks = m_ticks();

  std::fprintf(file, "\nPrime Found : %d\n", static_cast<int>(count));
  outcome.fileError = output.Close();
  outcome.ran = true;
  outcome.found = count;
  outcome.ticks = TickDifference(m_endTicks, m_startTicks);
  FinishRow(outcome);
  return outcome;
}

}  // namespace tallyforge

#pragma once
// The benchmark engine: the result board, run control and the nine benchmarks behind one host.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "bench_host.h"
#include "formats.h"
#include "output_file.h"
#include "reference_reader.h"
#include "run_control.h"
#include "result_board.h"
#include "run_outcome.h"
#include "tick_source.h"
#include "workload.h"

namespace tallyforge {

// What a stress run did: the runs it made, in order, and whether it wrote the total.
struct StressOutcome {
  std::vector<RunOutcome> runs;
  bool scored = false;  // false: a STOP ended it, and the total score kept its text
};

class BenchEngine {
 public:
  // The host must outlive the engine. Output files go to, and Reference.txt is read from,
  // directory. The prime table must be built (BuildPrimeTable) before any benchmark runs.
  BenchEngine(BenchHost& host, std::filesystem::path directory = ".",
              TickSource ticks = MonotonicTicks, Workload workload = Workload::Standard());

  // Reads Reference.txt into the reference cells, then pushes the board. When the file cannot
  // be read the cells keep their texts.
  ReferenceTexts ReadReferenceTimes();

  // Runs the benchmark whose button is checked (B8 before B9 before the highest of B1 to B7).
  RunOutcome OnStartBench();
  // STOP BENCH: sets stopFlag to 1, nothing else.
  void OnStopBench();
  // Runs B1 to B9 in turn through OnStartBench, then writes the total score; a STOP ends it.
  StressOutcome OnStressBench();

  // Dispatches at most one pending message of the host.
  void PumpOneMessage();
  // Progress of a range benchmark: its percentage in the row's your-time cell (rows 1 to 7),
  // the seconds so far in the status line, then the board pushed.
  void ShowProgress(double candidate, double rangeEnd, int row);

  // The benchmarks themselves, as OnStartBench dispatches to them.
  RunOutcome RunRangeBench(int row);
  RunOutcome RunMixedBench();
  RunOutcome RunFactorBench();

  const ResultBoard& board() const { return m_board; }
  ResultBoard& board() { return m_board; }
  const Workload& workload() const { return m_workload; }
  const std::filesystem::path& directory() const { return m_directory; }
  int32_t startTicks() const { return m_startTicks; }
  int32_t endTicks() const { return m_endTicks; }

 private:
  // The steps every benchmark shares: start timing, report progress, test for a stop,
  // finish its row.
  void BeginTiming();
  void ReportProgress(int row, int32_t percentage);
  // In every benchmark loop: true when a stop was requested, which also ends a stress run.
  bool StopRequested() {
    if (stopFlag == 0) return false;
    if (stressState == 1) stressState = 2;
    return true;
  }
  int32_t ElapsedTicks() const { return TickDifference(m_ticks(), m_startTicks); }
  // After the end time: records whether a stop was requested (ending a stress run, even where
  // the loop had no more work to test it), writes the row and tells the host.
  void FinishRow(RunOutcome& outcome);
  // A run whose output file could not be created: nothing changes, the host is told why.
  RunOutcome NotRun(RunOutcome outcome, const OutputFile& output);
  void UpdateData();

  BenchHost& m_host;
  std::filesystem::path m_directory;
  TickSource m_ticks;
  Workload m_workload;
  ResultBoard m_board;
  int32_t m_startTicks = 0;
  int32_t m_endTicks = 0;
};

}  // namespace tallyforge

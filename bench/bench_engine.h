#pragma once
// The benchmark engine: the result board, run control and the nine benchmarks behind one host.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "bench_host.h"
#include "formats.h"
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

  // The benchmarks themselves, as OnStartBench dispatches to them.
  RunOutcome RunRangeBench(int row);
  RunOutcome RunMixedBench();
  RunOutcome RunFactorBench();

  const ResultBoard& board() const { return m_board; }
  ResultBoard& board() { return m_board; }
  const Workload& workload() const { return m_workload; }
  const std::filesystem::path& directory() const { return m_directory; }

 private:
  friend class BenchRun;  // a run shows itself on this engine's host and board
  void PushBoard();  // all 29 cells to the host at once

  BenchHost& m_host;
  std::filesystem::path m_directory;
  TickSource m_ticks;
  Workload m_workload;
  ResultBoard m_board;
};

}  // namespace tallyforge

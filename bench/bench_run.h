#pragma once
// One benchmark run from its output file to its row: the steps every benchmark shares, written
// once, so that each benchmark's own file holds its loop and nothing else.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "bench_host.h"
#include "output_file.h"
#include "result_board.h"
#include "run_outcome.h"
#include "tick_source.h"

namespace tallyforge {

class BenchEngine;

class BenchRun {
 public:
  // What the output file gets after the timed stretch, before it is closed.
  enum class Closing {
    kNothing,
    kPrimeCount,  // "\nPrime Found : %d\n" with the count
  };

  // A run of benchmark bench (1 to 9) of engine, on its host and board, timed by its ticks;
  // it writes no file.
  BenchRun(BenchEngine& engine, int bench);
  // A run that writes file: created (never through a link, never waited on) here, before any
  // timing; is_open() says whether that worked.
  BenchRun(BenchEngine& engine, int bench, const std::filesystem::path& file, Closing closing);
  BenchRun(const BenchRun&) = delete;
  BenchRun& operator=(const BenchRun&) = delete;

  bool is_open() const { return !m_output || m_output->is_open(); }
  std::FILE* file() const { return m_output ? m_output->get() : nullptr; }

  // For a run whose file could not be created: nothing is shown, stopFlag and stressState keep
  // their values; the host is told why. Returns what it was told.
  RunOutcome NotRun();

  // Timing starts: stopFlag becomes 0 and the start time is taken.
  void StartTiming();

  // A progress point: percentage into the row's your-time cell, the seconds so far into the
  // status line and to the host, the board pushed, then at most one message dispatched (where a
  // STOP can arrive).
  void ReportProgress(int32_t percentage);

  // Timing ends, then the run is closed, in this order: the end time; the closing line and the
  // file closed; the row (percent, then your time); stopFlag 1 (a stop requested until then is
  // recorded, ending a stress run even where the loop had no more work to test it); the status
  // line; the board pushed; the host told. Returns what the host was told. stopped: the loop
  // ended by a STOP before the end of its work; found: the count of the run; mixed: B8's ends.
  RunOutcome Finish(int32_t found, bool stopped, const RunOutcome::MixedEnd& mixed = {});

 private:
  BenchHost& m_host;
  ResultBoard& m_board;
  const TickSource& m_ticks;
  RunOutcome m_outcome;
  std::optional<OutputFile> m_output;
  Closing m_closing = Closing::kNothing;
  int32_t m_startTicks = 0;
};

}  // namespace tallyforge

#pragma once
// The engine's host in a terminal: a live progress line on stderr, result rows on stdout,
// Ctrl-C as STOP BENCH.
#include <array>
#include <cstdio>
#include <functional>

#include "bench_engine.h"
#include "run_recorder.h"

namespace tallyforge::cli {

class TerminalHost final : public BenchHost {
 public:
  // progressIsTerminal: redraw one line in place instead of writing a line per report.
  TerminalHost(std::FILE* rows, std::FILE* progress, bool progressIsTerminal);

  // The engine whose OnStopBench a Ctrl-C calls, and the recorder in front of this host, whose
  // record of each run this shows; set before any run.
  void Attach(BenchEngine& engine, const RunRecorder& recorder) {
    m_engine = &engine;
    m_recorder = &recorder;
  }
  // With on, a WRONG result ends the stress run under way as a STOP would (the stability loop).
  void EndStressRunOnWrongResult(bool on) { m_endStressOnWrong = on; }

  // Makes the first Ctrl-C a pending STOP; a second one ends the process as usual, or is one
  // more STOP when secondEndsProcess is false.
  static void InstallInterruptHandler(bool secondEndsProcess = true);
  // Whether a Ctrl-C has arrived and not yet been taken as a STOP.
  static bool InterruptPending();

  void PushBoard(const ResultBoard& board) override;
  void DispatchOneMessage() override;
  bool IsChecked(int bench) const override;
  void SetCheck(int bench, bool checked) override;
  // The run's row as the board shows it (or why it did not run), then what its check found; a
  // WRONG result is also said on stderr.
  void RunFinished(const RunOutcome& outcome) override;
  void PrintHeader();
  void PrintTotal(const StressOutcome& outcome);
  // Called at each progress point with the running benchmark; test builds only, to send a
  // Ctrl-C at an exact point.
  void SetAtProgress(std::function<void(int)> hook) { m_atProgress = std::move(hook); }

 private:
  void ClearProgressLine();
  void ShowRun(const RecordedRun& run);

  std::FILE* m_rows;
  std::FILE* m_progress;
  bool m_progressIsTerminal;
  BenchEngine* m_engine = nullptr;
  const RunRecorder* m_recorder = nullptr;
  bool m_endStressOnWrong = false;
  const ResultBoard* m_board = nullptr;
  std::array<bool, kRowCount + 1> m_checked{};
  bool m_progressShown = false;
  std::function<void(int)> m_atProgress;
};

}  // namespace tallyforge::cli

#pragma once
// The engine's host in a terminal: a live progress line on stderr, result rows on stdout,
// Ctrl-C as STOP BENCH.
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_engine.h"
#include "verification.h"

namespace tallyforge::cli {

class TerminalHost final : public BenchHost {
 public:
  // progressIsTerminal: redraw one line in place instead of writing a line per report.
  TerminalHost(std::FILE* rows, std::FILE* progress, bool progressIsTerminal);

  // The engine whose OnStopBench a Ctrl-C calls; set before any run.
  void Attach(BenchEngine& engine) { m_engine = &engine; }

  // Makes the first Ctrl-C a pending STOP; a second one ends the process as usual.
  static void InstallInterruptHandler();
  // Whether a Ctrl-C has arrived and not yet been taken as a STOP.
  static bool InterruptPending();

  void PushBoard(const ResultBoard& board) override;
  void DispatchOneMessage() override;
  bool IsChecked(int bench) const override;
  void SetCheck(int bench, bool checked) override;
  void RunFinished(const RunOutcome& outcome) override;

  void PrintHeader();
  void PrintTotal(const StressOutcome& outcome);
  // Every run reported so far, in order.
  const std::vector<RunOutcome>& outcomes() const { return m_outcomes; }
  // The check of every run that took place, in order; made once an engine is attached.
  const std::vector<Verification>& verifications() const { return m_verifications; }
  // The first check that proved a result wrong, or nullptr.
  const Verification* FirstWrong() const;
  // A wrong result also ends the stress run in progress, as a STOP would.
  void EndStressRunOnWrongResult(bool end) { m_endStressOnWrong = end; }
  // Called with each finished run before its check. Only test builds set it, to damage a result
  // and see the check report it.
  void SetBeforeCheck(std::function<void(const RunOutcome&)> hook) { m_beforeCheck = std::move(hook); }
  // Called at each progress point with the running benchmark; test builds only, to send a
  // Ctrl-C at an exact point.
  void SetAtProgress(std::function<void(int)> hook) { m_atProgress = std::move(hook); }

 private:
  void ClearProgressLine();
  void CheckResult(const RunOutcome& outcome);

  std::FILE* m_rows;
  std::FILE* m_progress;
  bool m_progressIsTerminal;
  BenchEngine* m_engine = nullptr;
  const ResultBoard* m_board = nullptr;
  std::array<bool, kRowCount + 1> m_checked{};
  bool m_progressShown = false;
  std::vector<RunOutcome> m_outcomes;
  std::vector<Verification> m_verifications;
  bool m_endStressOnWrong = false;
  std::function<void(const RunOutcome&)> m_beforeCheck;
  std::function<void(int)> m_atProgress;
};

}  // namespace tallyforge::cli

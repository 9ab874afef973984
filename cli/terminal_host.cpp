#include "terminal_host.h"

#include <string>

#include "console_reporter.h"
#include "interrupt.h"
#include "messages.h"
#include "run_control.h"

namespace tallyforge::cli {

TerminalHost::TerminalHost(std::FILE* rows, std::FILE* progress, bool progressIsTerminal)
    : m_rows(rows), m_progress(progress), m_progressIsTerminal(progressIsTerminal) {}

void TerminalHost::InstallInterruptHandler(bool secondEndsProcess) {
  cli::InstallInterruptHandler(secondEndsProcess);
}

bool TerminalHost::InterruptPending() { return cli::InterruptPending(); }

void TerminalHost::PushBoard(const ResultBoard& board) {
  m_board = &board;
  if (stopFlag != 0) return;  // only a running benchmark has progress to show
  int bench = 0;
  for (int b = 1; b <= kRowCount; ++b) {
    if (m_checked[static_cast<size_t>(b)]) bench = b;
  }
  if (bench == 0) return;
  if (m_atProgress) m_atProgress(bench);
  const std::string line = BenchmarkName(bench) + "  " + CellText(board.yourTime(bench)) + "  " +
                           CellText(board.m_status);
  if (m_progressIsTerminal) {
    std::fprintf(m_progress, "\r\033[K%s", line.c_str());
    m_progressShown = true;
  } else {
    std::fprintf(m_progress, "%s\n", line.c_str());
  }
  std::fflush(m_progress);
}

void TerminalHost::DispatchOneMessage() {
  if (m_engine == nullptr || !TakeInterrupt()) return;
  m_engine->OnStopBench();
}

bool TerminalHost::IsChecked(int bench) const {
  return bench >= 1 && bench <= kRowCount && m_checked[static_cast<size_t>(bench)];
}

void TerminalHost::SetCheck(int bench, bool checked) {
  if (bench >= 1 && bench <= kRowCount) m_checked[static_cast<size_t>(bench)] = checked;
}

void TerminalHost::ClearProgressLine() {
  if (!m_progressShown) return;
  std::fprintf(m_progress, "\r\033[K");
  std::fflush(m_progress);
  m_progressShown = false;
}

void TerminalHost::PrintHeader() { PrintRowsHeader(m_rows); }

void TerminalHost::RunFinished(const RunOutcome&) {
  if (m_recorder == nullptr || m_recorder->runs().empty()) return;
  const RecordedRun& run = m_recorder->runs().back();
  ShowRun(run);
  if (m_endStressOnWrong && run.check.verdict == RunVerdict::kWrong && stressState == 1) {
    stressState = 2;
  }
}

void TerminalHost::ShowRun(const RecordedRun& run) {
  const RunOutcome& outcome = run.outcome;
  ClearProgressLine();
  if (!outcome.ran) {
    Complain(FileProblemText(outcome));
    return;
  }
  if (m_board != nullptr) PrintRow(m_rows, *m_board, outcome);
  if (outcome.fileError != 0) Complain(FileProblemText(outcome));
  PrintCheck(m_rows, run.check.verification);
  if (run.check.verdict == RunVerdict::kWrong) {
    Complain((run.processor ? "processor " + std::to_string(*run.processor) + ": " : "") +
             BenchmarkName(outcome.bench) + " computed a wrong result: " +
             VerificationText(run.check.verification));
  }
}

void TerminalHost::PrintTotal(const StressOutcome& outcome) {
  PrintTotalScore(m_rows, outcome.scored, m_board != nullptr ? m_board->m_totalScore : "");
  if (!outcome.scored) return;
  for (const RunOutcome& run : outcome.runs) {
    if (!run.ran) {
      Complain("warning: " + BenchmarkName(run.bench) + " could not run, so row " +
               std::to_string(run.bench) +
               " was not refreshed by this stress run; the total does not stand for nine "
               "benchmarks");
    }
  }
}

}  // namespace tallyforge::cli

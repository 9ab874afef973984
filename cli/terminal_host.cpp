#include "terminal_host.h"

#include <csignal>
#include <cstring>
#include <string>

#include "run_control.h"

namespace tallyforge::cli {
namespace {

volatile std::sig_atomic_t interruptPending = 0;

extern "C" void OnInterrupt(int) { interruptPending = 1; }

// A cell as one line of plain text: the newline a reference line keeps is dropped, and control
// characters from the file cannot reach the terminal.
std::string Printable(const std::string& cell) {
  std::string text;
  for (unsigned char c : cell) {
    if (c == '\n' || c == '\r') continue;
    text += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

TerminalHost::TerminalHost(std::FILE* rows, std::FILE* progress, bool progressIsTerminal)
    : m_rows(rows), m_progress(progress), m_progressIsTerminal(progressIsTerminal) {}

void TerminalHost::InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;  // a second Ctrl-C is not caught
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

bool TerminalHost::InterruptPending() { return interruptPending != 0; }

void TerminalHost::PushBoard(const ResultBoard& board) {
  m_board = &board;
  if (stopFlag != 0) return;  // only a running benchmark has progress to show
  int bench = 0;
  for (int b = 1; b <= kRowCount; ++b) {
    if (m_checked[static_cast<size_t>(b)]) bench = b;
  }
  if (bench == 0) return;
  if (m_atProgress) m_atProgress(bench);
  const std::string line = BenchmarkName(bench) + "  " + Printable(board.yourTime(bench)) +
                           "  " + Printable(board.m_status);
  if (m_progressIsTerminal) {
    std::fprintf(m_progress, "\r\033[K%s", line.c_str());
    m_progressShown = true;
  } else {
    std::fprintf(m_progress, "%s\n", line.c_str());
  }
  std::fflush(m_progress);
}

void TerminalHost::DispatchOneMessage() {
  if (interruptPending == 0 || m_engine == nullptr) return;
  interruptPending = 0;
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

void TerminalHost::PrintHeader() {
  std::fprintf(m_rows, "%-10s %12s %15s %8s\n", "Benchmark", "Your Time", "Reference Time", "%");
  std::fflush(m_rows);
}

void TerminalHost::RunFinished(const RunOutcome& outcome) {
  ClearProgressLine();
  m_outcomes.push_back(outcome);
  const std::string name = BenchmarkName(outcome.bench);
  if (!outcome.ran) {
    std::fprintf(stderr, "tallyforge-cli: %s\n", FileProblemText(outcome).c_str());
    return;
  }
  if (m_board != nullptr) {
    std::fprintf(m_rows, "%-10s %12s %15s %8s%s\n", name.c_str(),
                 Printable(m_board->yourTime(outcome.bench)).c_str(),
                 Printable(m_board->refTime(outcome.bench)).c_str(),
                 Printable(m_board->percent(outcome.bench)).c_str(),
                 outcome.stopped         ? "  (stopped)"
                 : outcome.stopRequested ? "  (stopped as its work ended)"
                                         : "");
    std::fflush(m_rows);
  }
  if (outcome.fileError != 0) {
    std::fprintf(stderr, "tallyforge-cli: %s\n", FileProblemText(outcome).c_str());
  }
  CheckResult(outcome);
}

// After the row: the run's result against an independent computation, never inside its time.
void TerminalHost::CheckResult(const RunOutcome& outcome) {
  if (m_engine == nullptr) return;
  if (m_beforeCheck) m_beforeCheck(outcome);
  const Verification& check = m_verifications.emplace_back(VerifyRun(outcome, m_engine->workload()));
  const std::string text = VerificationText(check);
  std::fprintf(m_rows, "  %s\n", text.c_str());
  std::fflush(m_rows);
  if (check.wrong()) {
    std::fprintf(stderr, "tallyforge-cli: %s computed a wrong result: %s\n",
                 BenchmarkName(outcome.bench).c_str(), text.c_str());
    if (m_endStressOnWrong && stressState == 1) stressState = 2;
  }
}

const Verification* TerminalHost::FirstWrong() const {
  for (const Verification& check : m_verifications) {
    if (check.wrong()) return &check;
  }
  return nullptr;
}

void TerminalHost::PrintTotal(const StressOutcome& outcome) {
  if (!outcome.scored) {
    std::fprintf(m_rows, "TOTAL SCORE: none (the stress run was stopped)\n");
    std::fflush(m_rows);
    return;
  }
  std::fprintf(m_rows, "TOTAL SCORE %s\n", Printable(m_board->m_totalScore).c_str());
  std::fflush(m_rows);
  for (const RunOutcome& run : outcome.runs) {
    if (!run.ran) {
      std::fprintf(stderr,
                   "tallyforge-cli: warning: %s could not run, so row %d was not refreshed by "
                   "this stress run; the total does not stand for nine benchmarks\n",
                   BenchmarkName(run.bench).c_str(), run.bench);
    }
  }
}

}  // namespace tallyforge::cli

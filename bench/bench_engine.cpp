#include "bench_engine.h"

#include <utility>

#include "formats.h"
#include "run_control.h"

namespace tallyforge {

BenchEngine::BenchEngine(BenchHost& host, std::filesystem::path directory, TickSource ticks,
                         Workload workload)
    : m_host(host),
      m_directory(std::move(directory)),
      m_ticks(std::move(ticks)),
      m_workload(workload) {}

ReferenceTexts BenchEngine::ReadReferenceTimes() {
  ReferenceTexts texts = ReadReferenceFile(m_directory / kReferenceFileName);
  if (texts.status == ReferenceStatus::kRead || texts.status == ReferenceStatus::kReadError) {
    for (int row = 1; row <= kRowCount; ++row) m_board.refTime(row) = texts.lines[row - 1];
  }
  UpdateData();
  return texts;
}

RunOutcome BenchEngine::OnStartBench() {
  int row = 0;
  for (int bench = 1; bench <= kRangeBenchCount; ++bench) {
    if (m_host.IsChecked(bench)) row = bench;  // the highest checked one wins
  }
  if (m_host.IsChecked(kMixedBench)) return RunMixedBench();
  if (m_host.IsChecked(kFactorBench)) return RunFactorBench();
  if (row == 0) return RunOutcome{};  // nothing selected: nothing to run
  return RunRangeBench(row);
}

void BenchEngine::OnStopBench() { stopFlag = 1; }

void BenchEngine::PumpOneMessage() { m_host.DispatchOneMessage(); }

void BenchEngine::ShowProgress(double candidate, double rangeEnd, int row) {
  const int32_t percentage = TruncateToInt32((1 - (rangeEnd - candidate) * 0.0000005) * 100);
  if (row >= 1 && row <= kRangeBenchCount) m_board.yourTime(row) = PercentText(percentage);
  const int32_t elapsed = ElapsedTicks();
  m_board.m_status = StatusText(TicksToSeconds(elapsed));
  m_host.Progress(elapsed);
  UpdateData();
}

void BenchEngine::BeginTiming() {
  stopFlag = 0;
  m_startTicks = m_ticks();
}

void BenchEngine::ReportProgress(int row, int32_t percentage) {
  m_board.yourTime(row) = PercentText(percentage);
  const int32_t elapsed = ElapsedTicks();
  m_board.m_status = StatusText(TicksToSeconds(elapsed));
  m_host.Progress(elapsed);
  UpdateData();
  PumpOneMessage();
}

void BenchEngine::FinishRow(RunOutcome& outcome) {
  outcome.stopRequested = StopRequested();
  const int row = outcome.bench;
  const double seconds = TicksToSeconds(outcome.ticks);
  m_board.percent(row) = PercentCellText(m_board.refTime(row), outcome.ticks);
  m_board.yourTime(row) = TimeText(seconds);
  stopFlag = 1;
  m_board.m_status = StatusText(seconds);
  UpdateData();
  m_host.RunFinished(outcome);
}

RunOutcome BenchEngine::NotRun(RunOutcome outcome, const OutputFile& output) {
  outcome.fileError = output.error();
  m_host.RunFinished(outcome);
  return outcome;
}

void BenchEngine::UpdateData() { m_host.PushBoard(m_board); }

}  // namespace tallyforge

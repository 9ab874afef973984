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
  PushBoard();
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

void BenchEngine::PushBoard() { m_host.PushBoard(m_board); }

}  // namespace tallyforge

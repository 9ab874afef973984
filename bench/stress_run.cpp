// STRESS BENCH: B1 to B9 in turn, each as START BENCH runs it, then the total score.
#include "bench_engine.h"
#include "total_score.h"

namespace tallyforge {

StressOutcome BenchEngine::OnStressBench() {
  StressOutcome outcome;
  stressState = 1;
  for (int bench = 1; bench <= kRowCount; ++bench) {
    for (int other = 1; other <= kRowCount; ++other) {
      if (other != bench && m_host.IsChecked(other)) m_host.SetCheck(other, false);
    }
    m_host.SetCheck(bench, true);
    outcome.runs.push_back(OnStartBench());
    if (stressState == 2) return outcome;
  }
  m_board.m_totalScore = TotalScoreText(m_board);
  outcome.scored = true;
  PushBoard();
  return outcome;
}

}  // namespace tallyforge

#include "bench_run.h"

#include "bench_engine.h"
#include "formats.h"
#include "run_control.h"

namespace tallyforge {

BenchRun::BenchRun(BenchEngine& engine, int bench)
    : m_host(engine.m_host), m_board(engine.m_board), m_ticks(engine.m_ticks) {
  m_outcome.bench = bench;
}

BenchRun::BenchRun(BenchEngine& engine, int bench, const std::filesystem::path& file,
                   Closing closing)
    : BenchRun(engine, bench) {
  m_outcome.file = file;
  m_output.emplace(file);
  m_closing = closing;
}

RunOutcome BenchRun::NotRun() {
  m_outcome.fileError = m_output->error();
  m_host.RunFinished(m_outcome);
  return m_outcome;
}

void BenchRun::StartTiming() {
  stopFlag = 0;
  m_startTicks = m_ticks();
}

void BenchRun::ReportProgress(int32_t percentage) {
  m_board.yourTime(m_outcome.bench) = PercentText(percentage);
  const int32_t elapsed = TickDifference(m_ticks(), m_startTicks);
  m_board.m_status = StatusText(TicksToSeconds(elapsed));
  m_host.Progress(elapsed);
  m_host.PushBoard(m_board);
  m_host.DispatchOneMessage();
}

RunOutcome BenchRun::Finish(int32_t found, bool stopped, const RunOutcome::MixedEnd& mixed) {
  m_outcome.ticks = TickDifference(m_ticks(), m_startTicks);
  if (m_output) {
    if (m_closing == Closing::kPrimeCount) {
      std::fprintf(m_output->get(), "\nPrime Found : %d\n", static_cast<int>(found));
    }
    m_outcome.fileError = m_output->Close();
  }
  m_outcome.ran = true;
  m_outcome.stopped = stopped;
  m_outcome.found = found;
  m_outcome.mixed = mixed;

  const int row = m_outcome.bench;
  const double seconds = TicksToSeconds(m_outcome.ticks);
  m_board.percent(row) = PercentCellText(m_board.refTime(row), m_outcome.ticks);
  m_board.yourTime(row) = TimeText(seconds);
  m_outcome.stopRequested = StopRequested();
  stopFlag = 1;
  m_board.m_status = StatusText(seconds);
  m_host.PushBoard(m_board);
  m_host.RunFinished(m_outcome);
  return m_outcome;
}

}  // namespace tallyforge

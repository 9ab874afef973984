#include "run_recorder.h"

#include <cstdio>
#include <utility>

#include "run_control.h"
#include "sha256.h"

namespace tallyforge::cli {

RunRecorder::RunRecorder(BenchHost& inner, std::filesystem::path machineRoot)
    : m_inner(inner), m_root(std::move(machineRoot)), m_lastSample(SampleMachine(m_root)) {}

void RunRecorder::BeginPass(int pass) {
  m_pass = pass;
  m_lastSample = SampleMachine(m_root);
}

void RunRecorder::PushBoard(const ResultBoard& board) {
  m_board = &board;
  // A push while a benchmark runs is a progress point; its status line carries the elapsed
  // time the engine just took, so no clock is read here.
  double seconds = 0;
  if (stopFlag == 0 && std::sscanf(board.m_status.c_str(), "Time Elapsed : %lf", &seconds) == 1) {
    m_progress.push_back(seconds);
  }
  m_inner.PushBoard(board);
}

void RunRecorder::RunFinished(const RunOutcome& outcome) {
  RecordedRun run;
  run.pass = m_pass;
  run.outcome = outcome;
  if (m_board != nullptr && outcome.bench >= 1 && outcome.bench <= kRowCount) {
    run.yourTime = m_board->yourTime(outcome.bench);
    run.refTime = m_board->refTime(outcome.bench);
    run.percent = m_board->percent(outcome.bench);
  }
  run.progressSeconds = std::exchange(m_progress, {});
  // Only a complete regular file: a device such as /dev/full would be read without end.
  std::error_code ec;
  if (outcome.ok() && !outcome.file.empty() &&
      std::filesystem::is_regular_file(outcome.file, ec)) {
    run.fileSha256 = Sha256OfFile(outcome.file);
  }
  run.before = m_lastSample;
  run.after = m_lastSample = SampleMachine(m_root);
  m_runs.push_back(std::move(run));
  m_inner.RunFinished(outcome);
}

}  // namespace tallyforge::cli

#include "run_recorder.h"

#include <utility>

#include "sha256.h"

namespace tallyforge {

RunRecorder::RunRecorder(BenchHost& inner, Workload workload, std::filesystem::path machineRoot)
    : m_inner(inner),
      m_workload(workload),
      m_root(std::move(machineRoot)),
      m_logicalCores(ReadMachineFacts(m_root).logicalCores),
      m_lastSample(SampleMachine(m_root)) {
  m_progress.reserve(256);  // more points than any benchmark has (B7: 72), so none allocates
}

void RunRecorder::BeginPass(int pass) {
  m_results.pass = pass;
  m_lastSample = SampleMachine(m_root);
}

void RunRecorder::RecordScore(bool scored, const std::string& cell) {
  AddScore(m_results, m_results.pass, scored, cell);
}

void RunRecorder::PushBoard(const ResultBoard& board) {
  m_board = &board;
  m_inner.PushBoard(board);
}

// Inside the timed stretch: one append to a vector with room reserved.
void RunRecorder::Progress(int32_t elapsedTicks) {
  m_progress.push_back(elapsedTicks);
  m_inner.Progress(elapsedTicks);
}

void RunRecorder::RecordNotRun(int processor, const std::string& reason) {
  if (!m_results.eachCore) m_results.eachCore.emplace();
  m_results.eachCore->notRun.push_back({m_results.pass, processor, reason});
  if (m_document != nullptr) m_document->Write(m_results, false);
}

// The record is kept and the document written before the front end behind shows anything: a
// run whose output ends at a closed pipe has its record written first.
void RunRecorder::RunFinished(const RunOutcome& outcome) {
  RecordedRun run;
  run.pass = m_results.pass;
  run.outcome = outcome;
  run.processor = m_processor;
  if (m_board != nullptr && outcome.bench >= 1 && outcome.bench <= kRowCount) {
    run.yourTime = m_board->yourTime(outcome.bench);
    run.refTime = m_board->refTime(outcome.bench);
    run.percent = m_board->percent(outcome.bench);
  }
  run.progressTicks = m_progress;
  m_progress.clear();
  run.check = CheckRun(outcome, m_workload);
  // Only a complete regular file: a device such as /dev/full would be read without end.
  std::error_code ec;
  if (outcome.ok() && !outcome.file.empty() &&
      std::filesystem::is_regular_file(outcome.file, ec)) {
    run.fileSha256 = Sha256OfFile(outcome.file);
  }
  run.before = m_lastSample;
  run.after = m_lastSample = SampleMachine(m_root);
  AddRun(m_results, std::move(run), m_logicalCores);
  if (m_document != nullptr) m_document->Write(m_results, false);
  m_inner.RunFinished(outcome);
}

}  // namespace tallyforge

#pragma once
// A host in front of another that keeps what each run did: its cells, the ticks of every
// progress point, its check, its output file's checksum and the machine's state around it,
// with the statistics of every benchmark made again as each run ends; and that has the
// document rewritten, when one is wanted, before the host behind hears of the run.
#include <filesystem>
#include <string>
#include <vector>

#include "bench_host.h"
#include "document_writer.h"
#include "recorded_results.h"
#include "workload.h"

namespace tallyforge {

class RunRecorder final : public BenchHost {
 public:
  // Forwards every call to inner, which must outlive the recorder. Runs are checked against
  // workload; machine facts and samples are read under machineRoot.
  RunRecorder(BenchHost& inner, Workload workload, std::filesystem::path machineRoot = "/");

  // Starts pass (1-based): the runs that follow belong to it.
  void BeginPass(int pass);
  int pass() const { return m_results.pass; }
  // Keeps the total score cell of the stress pass under way; scored: it ran to its end.
  void RecordScore(bool scored, const std::string& cell);
  // --each-core: the processors to take turns, and those left out; then, before each turn, the
  // processor the runs that follow are pinned to, or a turn not taken (the document rewritten).
  void BeginEachCore(EachCoreRecord plan) { m_results.eachCore = std::move(plan); }
  void SetProcessor(std::optional<int> processor) { m_processor = processor; }
  void RecordNotRun(int processor, const std::string& reason);
  // Has document (which must outlive the recorder) rewritten after each run is recorded.
  void WriteTo(DocumentWriter& document) { m_document = &document; }

  void PushBoard(const ResultBoard& board) override;
  void DispatchOneMessage() override { m_inner.DispatchOneMessage(); }
  bool IsChecked(int bench) const override { return m_inner.IsChecked(bench); }
  void SetCheck(int bench, bool checked) override { m_inner.SetCheck(bench, checked); }
  void Progress(int32_t elapsedTicks) override;
  void RunFinished(const RunOutcome& outcome) override;

  const RecordedResults& results() const { return m_results; }
  const std::vector<RecordedRun>& runs() const { return m_results.runs; }

 private:
  BenchHost& m_inner;
  Workload m_workload;
  std::filesystem::path m_root;
  int m_logicalCores;
  const ResultBoard* m_board = nullptr;
  std::vector<int32_t> m_progress;
  MachineSample m_lastSample;
  RecordedResults m_results;
  DocumentWriter* m_document = nullptr;
  std::optional<int> m_processor;
};

}  // namespace tallyforge

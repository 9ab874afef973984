#pragma once
// A host in front of another that keeps what each run did: its cells, the ticks of every
// progress point, its check, its output file's checksum and the machine's state around it.
#include <filesystem>
#include <functional>
#include <vector>

#include "bench_host.h"
#include "run_record.h"
#include "workload.h"

namespace tallyforge {

class RunRecorder final : public BenchHost {
 public:
  // Forwards every call to inner, which must outlive the recorder. Runs are checked against
  // workload; machine samples are read under machineRoot.
  RunRecorder(BenchHost& inner, Workload workload, std::filesystem::path machineRoot = "/");

  // Starts pass (1-based): the runs that follow belong to it.
  void BeginPass(int pass);
  int pass() const { return m_pass; }
  // Called with each finished run before its check (only test builds set it, to damage a result).
  void SetBeforeCheck(std::function<void(const RunOutcome&)> hook) { m_beforeCheck = std::move(hook); }
  // Called with each run once it is recorded, before inner hears of it.
  void SetOnRecorded(std::function<void(const RecordedRun&)> listener) { m_onRecorded = std::move(listener); }

  void PushBoard(const ResultBoard& board) override;
  void DispatchOneMessage() override { m_inner.DispatchOneMessage(); }
  bool IsChecked(int bench) const override { return m_inner.IsChecked(bench); }
  void SetCheck(int bench, bool checked) override { m_inner.SetCheck(bench, checked); }
  void Progress(int32_t elapsedTicks) override;
  void RunFinished(const RunOutcome& outcome) override;

  const std::vector<RecordedRun>& runs() const { return m_runs; }

 private:
  BenchHost& m_inner;
  Workload m_workload;
  std::filesystem::path m_root;
  const ResultBoard* m_board = nullptr;
  int m_pass = 1;
  std::vector<int32_t> m_progress;
  MachineSample m_lastSample;
  std::vector<RecordedRun> m_runs;
  std::function<void(const RunOutcome&)> m_beforeCheck;
  std::function<void(const RecordedRun&)> m_onRecorded;
};

}  // namespace tallyforge

#pragma once
// A host in front of another that keeps what each run did: its cells, the time of every
// progress point, its output file's checksum and the machine's state around it.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_host.h"
#include "machine_facts.h"
#include "verification.h"

namespace tallyforge::cli {

struct RecordedRun {
  int pass = 1;  // 1-based pass of --repeat
  RunOutcome outcome;
  std::string yourTime, refTime, percent;  // the row's cells after the run
  std::vector<double> progressSeconds;    // the elapsed time shown at each progress point
  std::optional<std::string> fileSha256;  // of the output file, when there is one to read
  MachineSample before, after;            // taken around the run, outside its timed stretch
  std::optional<Verification> verification;  // the check of its result, when it ran
};

class RunRecorder final : public BenchHost {
 public:
  // Forwards every call to inner, which must outlive the recorder; machine samples are read
  // under machineRoot.
  explicit RunRecorder(BenchHost& inner, std::filesystem::path machineRoot = "/");

  // Starts pass (1-based): the runs that follow belong to it.
  void BeginPass(int pass);

  void PushBoard(const ResultBoard& board) override;
  void DispatchOneMessage() override { m_inner.DispatchOneMessage(); }
  bool IsChecked(int bench) const override { return m_inner.IsChecked(bench); }
  void SetCheck(int bench, bool checked) override { m_inner.SetCheck(bench, checked); }
  void RunFinished(const RunOutcome& outcome) override;

  const std::vector<RecordedRun>& runs() const { return m_runs; }

 private:
  BenchHost& m_inner;
  std::filesystem::path m_root;
  const ResultBoard* m_board = nullptr;
  int m_pass = 1;
  std::vector<double> m_progress;
  MachineSample m_lastSample;
  std::vector<RecordedRun> m_runs;
};

}  // namespace tallyforge::cli

#include "run_session.h"

#include <cstring>

#include "console_reporter.h"
#include "exit_status.h"
#include "jobs_summary.h"
#include "messages.h"
#include "prime_table.h"
#include "stability_loop.h"

namespace tallyforge::cli {
namespace {

void ReportReference(const ReferenceTexts& texts, const std::filesystem::path& path) {
  switch (texts.status) {
    case ReferenceStatus::kRead:
      return;
    case ReferenceStatus::kMissing:
      Complain("note: " + path.string() + ": " + std::strerror(texts.error) +
               "; reference times are empty and percentages 000%");
      return;
    case ReferenceStatus::kNotAFile:
      Complain("note: " + path.string() +
               " is not a regular file; not read, reference times are empty");
      return;
    case ReferenceStatus::kReadError:
      Complain("note: " + path.string() + ": read error (" + std::strerror(texts.error) +
               "); later reference times are empty");
      return;
  }
}

// The hook of the test runner's builds that spoils a result before its check, in front of the
// recorder: the recorder itself knows nothing of tests.
class BeforeCheckHost final : public BenchHost {
 public:
  BeforeCheckHost(BenchHost& recorder, std::function<void(const RunOutcome&)> hook)
      : m_recorder(recorder), m_hook(std::move(hook)) {}
  void PushBoard(const ResultBoard& board) override { m_recorder.PushBoard(board); }
  void DispatchOneMessage() override { m_recorder.DispatchOneMessage(); }
  bool IsChecked(int bench) const override { return m_recorder.IsChecked(bench); }
  void SetCheck(int bench, bool checked) override { m_recorder.SetCheck(bench, checked); }
  void Progress(int32_t elapsedTicks) override { m_recorder.Progress(elapsedTicks); }
  void RunFinished(const RunOutcome& outcome) override {
    m_hook(outcome);
    m_recorder.RunFinished(outcome);
  }

 private:
  BenchHost& m_recorder;
  std::function<void(const RunOutcome&)> m_hook;
};

}  // namespace

Session::Session(const CliOptions& options, const SessionSetup& setup, DocumentWriter& document)
    : m_options(options),
      m_setup(setup),
      m_document(document),
      m_host(setup.rows, setup.progress, setup.progressIsTerminal),
      m_recorder(m_host, setup.workload),
      m_hooks(setup.beforeCheck ? std::make_unique<BeforeCheckHost>(m_recorder, setup.beforeCheck)
                                : nullptr),
      m_engine(m_hooks ? *m_hooks : static_cast<BenchHost&>(m_recorder), setup.directory,
               MonotonicTicks, setup.workload) {
  m_host.Attach(m_engine, m_recorder);
  m_host.SetAtProgress(setup.atProgress);
  // A wrong result ends the stability pass, as a STOP would.
  m_host.EndStressRunOnWrongResult(options.loop);
  m_recorder.WriteTo(document);
}

int Session::Run() {
  std::optional<EachCoreSettings> eachCore;
  if (m_options.eachCore) {
    eachCore = PrepareEachCore(m_options, m_setup.pin, m_recorder);
    if (!eachCore) return kExitUsage;
  }
  if (primeCount == 0) BuildPrimeTable();
  const ReferenceTexts reference = m_engine.ReadReferenceTimes();
  ReportReference(reference, m_setup.directory / kReferenceFileName);
  DocumentContext& context = m_document.context();
  context = ContextAt(m_setup.directory, reference);
  context.arguments = m_options.arguments;
  context.stress = m_options.stress;
  context.repeat = m_options.repeat;
  context.loop = m_options.loop;
  context.standardWorkload = m_setup.workload == Workload::Standard();
  if (TerminalHost::InterruptPending()) {
    Complain("interrupted before the first benchmark");
    return kExitInterrupted;
  }

  m_host.PrintHeader();
  int status = 0;
  bool stopped = false;
  if (eachCore) {
    const EachCoreEnd end = RunEachCore(m_engine, m_host, m_recorder, *eachCore, m_setup.rows);
    status = end.status;
    context.stop = end.stop;
  } else if (m_options.loop) {
    const LoopEnd end = RunStabilityLoop(m_engine, m_recorder, m_options.duration, m_setup.rows);
    status = end.status;
    stopped = end.stopped;
  } else {
    for (int pass = 1; pass <= m_options.repeat && !stopped; ++pass) {
      m_recorder.BeginPass(pass);
      if (m_options.stress) {
        const StressOutcome outcome = m_engine.OnStressBench();
        m_host.PrintTotal(outcome);
        m_recorder.RecordScore(outcome.scored, m_engine.board().m_totalScore);
        stopped = !outcome.scored;
        continue;
      }
      for (int bench : m_options.benchmarks) {
        for (int b = 1; b <= kRowCount; ++b) m_host.SetCheck(b, b == bench);
        const RunOutcome outcome = m_engine.OnStartBench();
        if (outcome.stopRequested || TerminalHost::InterruptPending()) {
          stopped = true;
          break;
        }
      }
    }
    if (m_options.repeat > 1) PrintStatistics(m_setup.rows, m_recorder.results());
    status = ExitStatusOf(m_recorder.runs(), stopped);
  }
  if (stopped) {
    std::vector<int> planned = m_options.benchmarks;
    if (m_options.stress) planned = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    context.stop = SessionStop(planned, m_options.loop ? 0 : m_options.repeat, m_recorder.runs());
  }
  if (WriteDocument(true) != 0) status = WorseExit(status, kExitRunFailed);
  return status;
}

std::vector<std::filesystem::path> RunFiles(const CliOptions& options) {
  std::vector<std::filesystem::path> folders = {options.directory};
  for (int copies : options.jobCounts) {
    for (int k = 1; k <= copies; ++k) folders.push_back(options.directory / CopyFolder(k, copies));
  }
  std::vector<std::filesystem::path> files;
  const Workload standard = Workload::Standard();
  for (const std::filesystem::path& folder : folders) {
    files.push_back(folder / kReferenceFileName);
    for (const RangeSpec& range : standard.ranges) files.push_back(folder / NumbersFileName(range.start));
    files.push_back(folder / kFactorsFileName);
    if (folder != options.directory) {
      files.push_back(folder / kCopyDocumentName);
      files.push_back(folder / kCopyRowsName);
    }
  }
  return files;
}

}  // namespace tallyforge::cli

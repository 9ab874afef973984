#include "run_session.h"

#include <cstring>

#include "benchmark_summary.h"
#include "console_reporter.h"
#include "exit_status.h"
#include "job_runner.h"
#include "messages.h"
#include "prime_table.h"
#include "reference_machine.h"
#include "run_control.h"
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

std::vector<double> ScoreValues(const std::vector<PassScore>& scores) {
  std::vector<double> values;
  for (const PassScore& score : scores) {
    if (const auto value = score.scored ? ScoreValue(score.text) : std::nullopt) {
      values.push_back(*value);
    }
  }
  return values;
}

}  // namespace

Session::Session(const CliOptions& options, const SessionSetup& setup, DocumentFile* document)
    : m_options(options),
      m_setup(setup),
      m_document(document),
      m_host(setup.rows, setup.progress, setup.progressIsTerminal),
      m_recorder(m_host, setup.workload),
      m_engine(m_recorder, setup.directory, MonotonicTicks, setup.workload) {
  m_host.Attach(m_engine);
  m_host.SetAtProgress(setup.atProgress);
  m_recorder.SetBeforeCheck(setup.beforeCheck);
  m_recorder.SetOnRecorded([this](const RecordedRun& run) { Recorded(run); });
}

// After each run, outside its timed stretch: the document first (the terminal may be a pipe
// that closes), then the run's row and its check.
void Session::Recorded(const RecordedRun& run) {
  WriteDocument(false);
  m_host.ShowRun(run);
  if (m_options.loop && run.check.verdict == RunVerdict::kWrong && stressState == 1) {
    stressState = 2;  // a wrong result ends the stability pass, as a STOP would
  }
}

int Session::WriteDocument(bool finished) {
  if (m_document == nullptr) return 0;
  if (m_options.loop) m_context.repeat = m_recorder.pass();  // the passes begun
  const int error = m_document->Write(
      DocumentText(BuildDocument(m_context, runs(), m_scores, std::nullopt, finished)), finished);
  if (error != 0 && m_documentError == 0) {
    Complain("--json " + m_document->path().string() + ": cannot write the document: " +
             std::strerror(error));
  }
  if (error != 0) m_documentError = error;
  return error;
}

int Session::Run() {
  if (primeCount == 0) BuildPrimeTable();
  const ReferenceTexts reference = m_engine.ReadReferenceTimes();
  ReportReference(reference, m_setup.directory / kReferenceFileName);
  m_context = ContextFor(m_options, m_setup.directory, reference);
  m_context.standardWorkload = m_setup.workload == Workload::Standard();
  if (TerminalHost::InterruptPending()) {
    Complain("interrupted before the first benchmark");
    return kExitInterrupted;
  }

  m_host.PrintHeader();
  int status = 0;
  bool stopped = false;
  if (m_options.loop) {
    status = RunStabilityLoop(m_engine, m_recorder, m_scores, stopped, m_options.duration,
                              m_setup.rows);
  } else {
    for (int pass = 1; pass <= m_options.repeat && !stopped; ++pass) {
      m_recorder.BeginPass(pass);
      if (m_options.stress) {
        const StressOutcome outcome = m_engine.OnStressBench();
        m_host.PrintTotal(outcome);
        m_scores.push_back({pass, outcome.scored, m_engine.board().m_totalScore});
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
    if (m_options.repeat > 1) {
      PrintStatistics(m_setup.rows, SummariseBenchmarks(runs(), m_context.machine.logicalCores),
                      ScoreValues(m_scores));
    }
    status = ExitStatusOf(runs(), stopped);
  }
  if (stopped) {
    std::vector<int> planned = m_options.benchmarks;
    if (m_options.stress) planned = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    m_context.stop = SessionStop(planned, m_options.loop ? 0 : m_options.repeat, runs());
  }
  if (WriteDocument(true) != 0) status = WorstStatus(status, kExitRunFailed);
  return status;
}

int ExitStatusOf(const std::vector<RecordedRun>& runs, bool stopped) {
  bool fileFailed = false, notChecked = false;
  for (const RecordedRun& run : runs) {
    if (run.check.verdict == RunVerdict::kWrong) return kExitWrongResult;
    fileFailed = fileFailed || !run.outcome.ok();
    notChecked = notChecked || run.check.verdict == RunVerdict::kNotChecked;
  }
  if (fileFailed) return kExitRunFailed;
  if (notChecked) return kExitNotChecked;
  return stopped ? kExitInterrupted : 0;
}

DocumentContext ContextFor(const CliOptions& options, const std::filesystem::path& directory,
                           const ReferenceTexts& reference) {
  DocumentContext context;
  context.time = UtcTimestamp();
  context.arguments = options.arguments;
  context.stress = options.stress;
  context.repeat = options.repeat;
  context.machine = ReadMachineFacts();
  const std::filesystem::path path = directory / kReferenceFileName;
  std::error_code ec;
  context.referencePath = std::filesystem::absolute(path, ec).lexically_normal().string();
  context.reference = reference;
  context.referenceMachine = ReadReferenceMachine(path);
  return context;
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

#include "run_session.h"

#include <cstring>

#include "bench_engine.h"
#include "prime_table.h"
#include "reference_machine.h"
#include "repeat_stats.h"
#include "stability_loop.h"
#include "terminal_host.h"

namespace tallyforge::cli {
namespace {

void ReportReference(const ReferenceTexts& texts, const std::filesystem::path& path) {
  switch (texts.status) {
    case ReferenceStatus::kRead:
      return;
    case ReferenceStatus::kMissing:
      std::fprintf(stderr, "tallyforge-cli: note: %s: %s; reference times are empty and "
                   "percentages 000%%\n", path.c_str(), std::strerror(texts.error));
      return;
    case ReferenceStatus::kNotAFile:
      std::fprintf(stderr, "tallyforge-cli: note: %s is not a regular file; not read, reference "
                   "times are empty\n", path.c_str());
      return;
    case ReferenceStatus::kReadError:
      std::fprintf(stderr, "tallyforge-cli: note: %s: read error (%s); later reference times "
                   "are empty\n", path.c_str(), std::strerror(texts.error));
      return;
  }
}

// Each run that took place was checked by the host, in the same order.
std::vector<RecordedRun> WithChecks(std::vector<RecordedRun> runs, const TerminalHost& host) {
  size_t next = 0;
  for (RecordedRun& run : runs) {
    if (run.outcome.ran && next < host.verifications().size()) {
      run.verification = host.verifications()[next++];
    }
  }
  return runs;
}

}  // namespace

SessionOutcome RunSession(const CliOptions& options, const SessionSetup& setup) {
  SessionOutcome result;
  TerminalHost host(setup.rows, setup.progress, setup.progressIsTerminal);
  TerminalHost::InstallInterruptHandler();
  RunRecorder recorder(host);
  Workload workload = Workload::Standard();
  if (setup.prepare) setup.prepare(host, workload);
  BenchEngine engine(recorder, setup.directory, MonotonicTicks, workload);
  host.Attach(engine);

  if (primeCount == 0) BuildPrimeTable();
  result.reference = engine.ReadReferenceTimes();
  ReportReference(result.reference, setup.directory / kReferenceFileName);
  if (TerminalHost::InterruptPending()) {
    std::fprintf(stderr, "tallyforge-cli: interrupted before the first benchmark\n");
    result.exitCode = kExitInterrupted;
    return result;
  }

  host.PrintHeader();
  if (options.loop) {
    result.exitCode = RunStabilityLoop(engine, host, options.duration, setup.rows);
    result.runs = WithChecks(recorder.runs(), host);
    return result;
  }
  bool stopped = false;
  for (int pass = 1; pass <= options.repeat && !stopped; ++pass) {
    recorder.BeginPass(pass);
    if (options.stress) {
      const StressOutcome outcome = engine.OnStressBench();
      host.PrintTotal(outcome);
      result.scores.push_back({pass, outcome.scored, engine.board().m_totalScore});
      stopped = !outcome.scored;
      continue;
    }
    for (int bench : options.benchmarks) {
      for (int b = 1; b <= kRowCount; ++b) host.SetCheck(b, b == bench);
      const RunOutcome outcome = engine.OnStartBench();
      if (outcome.stopRequested || TerminalHost::InterruptPending()) {
        stopped = true;
        break;
      }
    }
  }
  result.runs = WithChecks(recorder.runs(), host);
  if (options.repeat > 1) {
    std::vector<double> scores;
    for (const PassScore& score : result.scores) {
      if (const auto value = score.scored ? ScoreValue(score.text) : std::nullopt) {
        scores.push_back(*value);
      }
    }
    PrintStatistics(setup.rows, SummariseBenchmarks(result.runs, ReadMachineFacts().logicalCores),
                    scores);
  }

  for (const RunOutcome& outcome : host.outcomes()) {
    if (!outcome.ok()) result.exitCode = kExitRunFailed;
  }
  if (host.FirstWrong() != nullptr) result.exitCode = kExitWrongResult;
  if (result.exitCode == 0 && stopped) result.exitCode = kExitInterrupted;
  return result;
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

}  // namespace tallyforge::cli

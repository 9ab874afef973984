// tallyforge-cli: runs the benchmarks headless, with live progress and the board's rows.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>

#include "bench_engine.h"
#include "cli_options.h"
#include "exit_status.h"
#include "prime_table.h"
#include "stability_loop.h"
#include "terminal_host.h"
#ifdef TALLYFORGE_TEST_HOOKS
#include "test_hooks.h"
#endif

using tallyforge::BenchEngine;
using tallyforge::ReferenceStatus;
using tallyforge::cli::TerminalHost;
using tallyforge::cli::kExitInterrupted;
using tallyforge::cli::kExitRunFailed;

namespace {

void ReportReference(const tallyforge::ReferenceTexts& texts, const BenchEngine& engine) {
  const auto path = engine.directory() / tallyforge::kReferenceFileName;
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

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = tallyforge::cli::ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (!parsed.options) return parsed.exitCode;
  const tallyforge::cli::CliOptions& options = *parsed.options;

  TerminalHost host(stdout, stderr, ::isatty(STDERR_FILENO) == 1);
  TerminalHost::InstallInterruptHandler();
  tallyforge::Workload workload = tallyforge::Workload::Standard();
#ifdef TALLYFORGE_TEST_HOOKS
  tallyforge::cli::ApplyTestHooks(host, workload);  // test builds only: short work, damage
#endif
  BenchEngine engine(host, options.directory, tallyforge::MonotonicTicks, workload);
  host.Attach(engine);

  tallyforge::BuildPrimeTable();
  ReportReference(engine.ReadReferenceTimes(), engine);
  if (TerminalHost::InterruptPending()) {
    std::fprintf(stderr, "tallyforge-cli: interrupted before the first benchmark\n");
    return kExitInterrupted;
  }

  host.PrintHeader();
  if (options.loop) {
    return tallyforge::cli::RunStabilityLoop(engine, host, options.duration, stdout);
  }
  bool stopped = false;
  if (options.stress) {
    const tallyforge::StressOutcome outcome = engine.OnStressBench();
    host.PrintTotal(outcome);
    stopped = !outcome.scored;
  } else {
    for (int bench : options.benchmarks) {
      for (int b = 1; b <= tallyforge::kRowCount; ++b) host.SetCheck(b, b == bench);
      const tallyforge::RunOutcome outcome = engine.OnStartBench();
      if (outcome.stopped || TerminalHost::InterruptPending()) {
        stopped = true;
        break;
      }
    }
  }

  if (host.FirstWrong() != nullptr) return tallyforge::cli::kExitWrongResult;
  for (const tallyforge::RunOutcome& outcome : host.outcomes()) {
    if (!outcome.ok()) return kExitRunFailed;
  }
  return stopped ? kExitInterrupted : 0;
}

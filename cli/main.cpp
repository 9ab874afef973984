// tallyforge-cli: runs the benchmarks headless, with live progress and the board's rows.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>

#include "calibrate.h"
#include "cli_options.h"
#include "exit_status.h"
#include "expected_answers.h"
#include "folder_claim.h"
#include "job_runner.h"
#include "output_file.h"
#include "result_check.h"
#include "result_document.h"
#include "run_session.h"
#include "standard_streams.h"
#ifdef TALLYFORGE_TEST_HOOKS
#include "test_hooks.h"
#endif

namespace {

using namespace tallyforge::cli;

// Loads a document for check or compare; on failure says why.
std::optional<nlohmann::json> Load(const std::filesystem::path& path) {
  std::string error;
  auto document = LoadDocument(path, error);
  if (!document) std::fprintf(stderr, "tallyforge-cli: %s %s\n", path.c_str(), error.c_str());
  return document;
}

int ReadBack(const CliOptions& options) {
  std::vector<nlohmann::json> documents;
  for (const auto& path : options.documents) {
    auto document = Load(path);
    if (!document) return kExitUsage;
    documents.push_back(std::move(*document));
  }
  try {
    if (options.command == Command::kCheck) {
      return CheckDocument(documents[0], StandardAnswers(), stdout);
    }
    return CompareDocuments(documents[0], documents[1], stdout);
  } catch (const nlohmann::json::exception& e) {
    std::fprintf(stderr, "tallyforge-cli: malformed result document: %s\n", e.what());
    return kExitUsage;
  }
}

int Calibrate(const CliOptions& options, const SessionOutcome& outcome) {
  if (outcome.exitCode != 0) {
    std::fprintf(stderr, "tallyforge-cli: calibrate: the stress run did not complete; "
                 "Reference.txt is unchanged\n");
    return outcome.exitCode;
  }
  const auto times = CalibratedTimes(outcome.runs);
  if (!times) return kExitRunFailed;
  const std::string machine = tallyforge::DescribeMachine(tallyforge::ReadMachineFacts());
  if (const int error = WriteReferenceFile(options.directory, *times, machine)) {
    std::fprintf(stderr, "tallyforge-cli: calibrate: cannot write %s: %s\n",
                 (options.directory / tallyforge::kReferenceFileName).c_str(),
                 tallyforge::OutputFileErrorText(error).c_str());
    return kExitRunFailed;
  }
  std::printf("Wrote %s for %s\n", (options.directory / tallyforge::kReferenceFileName).c_str(),
              machine.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!tallyforge::OpenClosedStandardStreams()) return kExitRunFailed;
  const auto parsed = ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (!parsed.options) return parsed.exitCode;
  const CliOptions& options = *parsed.options;
  if (options.command == Command::kCheck || options.command == Command::kCompare) {
    return ReadBack(options);
  }

  // One run per folder, for as long as this process lives.
  const tallyforge::FolderLock lock(options.directory);
  if (const int status = ClaimFolder(lock, stderr)) return status;

  // The document's file is created before any work, so that a bad path fails at once.
  const bool toStdout = options.jsonPath == "-";
  std::FILE* json = nullptr;
  if (!options.jsonPath.empty()) {
    json = toStdout ? stdout : std::fopen(options.jsonPath.c_str(), "w");
    if (json == nullptr) {
      std::fprintf(stderr, "tallyforge-cli: --json %s: %s\n", options.jsonPath.c_str(),
                   std::strerror(errno));
      return kExitRunFailed;
    }
  }
  std::FILE* rows = toStdout ? stderr : stdout;

  int exitCode = 0;
  nlohmann::json document;
  if (!options.jobCounts.empty()) {
    std::vector<CountResult> counts;
    exitCode = RunJobs(options, rows, counts);
    tallyforge::ReferenceTexts reference =
        tallyforge::ReadReferenceFile(options.directory / tallyforge::kReferenceFileName);
    document = BuildDocument(ContextFor(options, options.directory, reference), {}, {},
                             JobsJson(counts));
  } else {
    SessionSetup setup{options.directory, rows, stderr, ::isatty(STDERR_FILENO) == 1, nullptr};
#ifdef TALLYFORGE_TEST_HOOKS
    setup.prepare = ApplyTestHooks;  // test builds only: short work, a damaged result
#endif
    const SessionOutcome outcome = RunSession(options, setup);
    exitCode = options.command == Command::kCalibrate ? Calibrate(options, outcome)
                                                      : outcome.exitCode;
    document = BuildDocument(ContextFor(options, options.directory, outcome.reference),
                             outcome.runs, outcome.scores);
  }

  if (json != nullptr) {
    const std::string text = document.dump(2) + "\n";
    const bool written = std::fwrite(text.data(), 1, text.size(), json) == text.size();
    if ((toStdout ? std::fflush(json) : std::fclose(json)) != 0 || !written) {
      std::fprintf(stderr, "tallyforge-cli: --json %s: write error\n", options.jsonPath.c_str());
      if (exitCode == 0) exitCode = kExitRunFailed;
    }
  }
  return exitCode;
}

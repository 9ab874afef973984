// tallyforge-cli: runs the benchmarks headless, with live progress and the board's rows.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>

#include "calibration.h"
#include "cli_options.h"
#include "copy_processes.h"
#include "document_check.h"
#include "document_compare.h"
#include "document_reader.h"
#include "document_writer.h"
#include "exit_status.h"
#include "expected_answers.h"
#include "folder_claim.h"
#include "folder_lock.h"
#include "interrupt.h"
#include "job_runner.h"
#include "jobs_summary.h"
#include "messages.h"
#include "output_file.h"
#include "report_command.h"
#include "run_session.h"
#include "safe_text.h"
#include "standard_streams.h"
#include "terminal_host.h"
#ifdef TALLYFORGE_TEST_HOOKS
#include "test_hooks.h"
#endif

namespace {

using namespace tallyforge;
using namespace tallyforge::cli;

// check and compare: what the documents show; exit 2 when one cannot be read as a document.
int CheckOrCompare(const CliOptions& options) {
  std::vector<ResultDocument> documents;
  for (const auto& path : options.documents) {
    std::string error;
    auto document = ReadDocument(path, error);
    if (!document) {
      Complain(path.string() + " " + error);
      return kExitUsage;
    }
    documents.push_back(std::move(*document));
  }
  if (options.command == Command::kCompare) {
    return CompareExitStatus(CompareDocuments(documents[0], documents[1], StandardAnswers(), stdout));
  }
  const DocumentFindings findings = CheckDocument(documents[0], StandardAnswers());
  PrintFindings(stdout, findings);
  return CheckExitStatus({&findings});
}

int Calibrate(const CliOptions& options, const Session& session, int status) {
  const auto times = status == 0 ? CalibratedTimes(session.results()) : std::nullopt;
  if (!times) {
    Complain("calibrate: the stress run did not complete with every result verified; "
             "Reference.txt is unchanged");
    return status != 0 ? status : kExitRunFailed;
  }
  const std::string machine = DescribeMachine(ReadMachineFacts());
  const std::filesystem::path path = options.directory / kReferenceFileName;
  if (const int error = WriteReferenceFile(options.directory, *times, machine)) {
    Complain("calibrate: cannot write " + path.string() + ": " + OutputFileErrorText(error));
    return kExitRunFailed;
  }
  std::printf("Wrote %s for %s\n", TerminalText(path.string()).c_str(),
              TerminalText(machine).c_str());
  return 0;
}

// Whether benchmarks may have been measured: what an internal error can promise to keep.
bool measuring = false;

// An exception that reached a session: the measured runs are kept in the document.
int InternalError(const char* what, Session* session) {
  Complain(std::string("internal error: ") + what +
           (measuring ? "; the results measured until then are kept in the result document, "
                        "if one was asked for"
                      : ""));
  if (session != nullptr) {
    try {
      session->WriteDocument(false);
    } catch (...) {
    }
  }
  return kExitInternal;
}

SessionSetup SetupFor(const CliOptions& options, bool rowsToStderr) {
  SessionSetup setup;
  setup.directory = options.directory;
  setup.rows = rowsToStderr ? stderr : stdout;
  setup.progressIsTerminal = StderrIsTerminal();
#ifdef TALLYFORGE_TEST_HOOKS
  ApplyTestHooks(setup);  // test builds only
#endif
  return setup;
}

int Run(int argc, char** argv) {
  // A copy of --jobs started as a process of its own: the parent's command line and its task.
  const std::optional<CopyTask> copyTask = TakeCopyTask(argc, argv);
  const auto parsed = ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (!parsed.options) return parsed.exitCode;
  const CliOptions& options = *parsed.options;
  measuring = options.command == Command::kRun || options.command == Command::kCalibrate;
  if (copyTask) return RunAsCopy(options, SetupFor(options, false), *copyTask);
  if (options.command == Command::kCheck || options.command == Command::kCompare) {
    return CheckOrCompare(options);
  }
  if (options.command == Command::kReport) return WriteReport(options);

  if (!options.jsonPath.empty() && options.jsonPath != "-" &&
      (NamesOneOf(options.jsonPath, RunFiles(options)) || IsFolderLockFile(options.jsonPath))) {
    Complain("--json " + options.jsonPath + ": that is one of the run's own files; choose "
             "another name");
    return kExitUsage;
  }

  // One run per folder, for as long as this process lives.
  const FolderLock lock(options.directory);
  if (const int status = ClaimFolder(lock, stderr)) return status;

  // The document's file is checked before any work, so that a bad path fails at once.
  DocumentWriter document(options.jsonPath, stderr);
  if (const std::string problem = document.Problem(); !problem.empty()) {
    Complain("--json " + options.jsonPath + ": " + problem);
    return kExitRunFailed;
  }
  const SessionSetup setup = SetupFor(options, document.toStdout());
  if (!options.jobCounts.empty()) return RunJobs(options, setup, document);

  TerminalHost::InstallInterruptHandler();
  Session session(options, setup, document);
  int status = 0;
  try {
    status = session.Run();
  } catch (const std::exception& e) {
    return InternalError(e.what(), &session);
  }
  return options.command == Command::kCalibrate ? Calibrate(options, session, status) : status;
}

// The rows, findings or text that did not all reach the standard output (a full disk, a closed
// pipe's end): said, and counted as an output file that could not be written.
int CheckStandardOutput(int status) {
  std::cout.flush();
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout) && !std::cout.bad()) return status;
  // The reason is known when this last flush failed, not when an earlier one did.
  Complain(std::string("cannot write to the standard output") +
           (errno != 0 ? std::string(": ") + std::strerror(errno) : "") +
           "; what it shows is incomplete");
  return WorseExit(status, kExitRunFailed);
}

// An exception where none may pass (a destructor, a noexcept function): said, and the process
// ends with the same status; the document holds the runs finished until then.
[[noreturn]] void OnTerminate() {
  std::fputs("tallyforge-cli: internal error: terminated\n", stderr);
  std::_Exit(kExitInternal);
}

}  // namespace

int main(int argc, char** argv) {
  if (!tallyforge::OpenClosedStandardStreams()) return kExitRunFailed;
  tallyforge::ReportFileSizeLimitAsError();
  std::set_terminate(OnTerminate);
  int status = kExitInternal;
  try {
    status = Run(argc, argv);
  } catch (const std::exception& e) {
    status = InternalError(e.what(), nullptr);
  } catch (...) {
    status = InternalError("an unknown exception", nullptr);
  }
  return CheckStandardOutput(status);
}

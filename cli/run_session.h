#pragma once
// One copy of the work: the named benchmarks or the stress run, --repeat times (or the
// stability loop), recorded, checked, and its result document rewritten after every benchmark.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "bench_engine.h"
#include "cli_options.h"
#include "document_file.h"
#include "reference_reader.h"
#include "result_document.h"
#include "run_recorder.h"
#include "terminal_host.h"
#include "workload.h"

namespace tallyforge::cli {

struct SessionSetup {
  std::filesystem::path directory;  // Reference.txt is read and output files written here
  std::FILE* rows = stdout;
  std::FILE* progress = stderr;
  bool progressIsTerminal = false;
  Workload workload = Workload::Standard();
  // Called with each finished run before its check (the test runner's hooks only).
  std::function<void(const RunOutcome&)> beforeCheck;
  // Called at each progress point with the running benchmark (the test runner's hooks only).
  std::function<void(int)> atProgress;
};

class Session {
 public:
  // document, when given, must outlive the session.
  Session(const CliOptions& options, const SessionSetup& setup, DocumentFile* document);

  // Builds the prime table if needed, reads Reference.txt, runs every pass, prints the rows and
  // (over several passes) the statistics, and writes the final document. Stops at the first
  // pass a Ctrl-C ends (the caller installs TerminalHost's handler). Returns the exit status.
  int Run();

  // Writes the document of everything measured so far; finished: the session reached its end.
  // Returns 0 or the errno of a failed write, which has then been reported.
  int WriteDocument(bool finished);

  const std::vector<RecordedRun>& runs() const { return m_recorder.runs(); }

 private:
  void Recorded(const RecordedRun& run);

  const CliOptions& m_options;
  SessionSetup m_setup;
  DocumentFile* m_document;
  TerminalHost m_host;
  RunRecorder m_recorder;
  BenchEngine m_engine;
  DocumentContext m_context;
  std::vector<PassScore> m_scores;
  int m_documentError = 0;
};

// The exit status of runs: 3 when one is WRONG, else 1 when an output file failed, else 4 when
// one could not be checked, else 130 when stopped, else 0.
int ExitStatusOf(const std::vector<RecordedRun>& runs, bool stopped);

// The document's context for options, the folder the session ran in and its reference texts,
// at the current time.
DocumentContext ContextFor(const CliOptions& options, const std::filesystem::path& directory,
                           const ReferenceTexts& reference);

// Every file a run with options reads or writes besides its document: Reference.txt, the
// Numbers files and Factors.txt in its folder and in every copy's folder, and the copies' own.
std::vector<std::filesystem::path> RunFiles(const CliOptions& options);

}  // namespace tallyforge::cli

#pragma once
// One copy of the work: the named benchmarks or the stress run, --repeat times (or the
// stability loop, or each processor's turn of --each-core), recorded, checked, and its result
// document rewritten after every benchmark.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "bench_engine.h"
#include "cli_options.h"
#include "document_writer.h"
#include "each_core.h"
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
  // --each-core's pinning; empty: PinToProcessors (the test runner's hooks stand in for it).
  PinFunction pin;
};

class Session {
 public:
  // document (which must outlive the session) is rewritten after every run, when one is wanted.
  Session(const CliOptions& options, const SessionSetup& setup, DocumentWriter& document);

  // Builds the prime table if needed, reads Reference.txt, runs every pass, prints the rows and
  // (over several passes) the statistics, and writes the final document. Stops at the first
  // pass a Ctrl-C ends (the caller installs TerminalHost's handler). Returns the exit status.
  int Run();

  // Writes the document of everything measured so far; finished: the session reached its end.
  // Returns 0 or the errno of a failed write, which has then been reported.
  int WriteDocument(bool finished) { return m_document.Write(m_recorder.results(), finished); }

  const RecordedResults& results() const { return m_recorder.results(); }

 private:
  const CliOptions& m_options;
  SessionSetup m_setup;
  DocumentWriter& m_document;
  TerminalHost m_host;
  RunRecorder m_recorder;
  std::unique_ptr<BenchHost> m_hooks;  // test builds: setup.beforeCheck, before the recorder
  BenchEngine m_engine;
};

// Every file a run with options reads or writes besides its document: Reference.txt, the
// Numbers files and Factors.txt in its folder and in every copy's folder, and the copies' own.
std::vector<std::filesystem::path> RunFiles(const CliOptions& options);

}  // namespace tallyforge::cli

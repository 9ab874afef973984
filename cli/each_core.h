#pragma once
// --each-core: the named benchmarks on each logical processor in turn, the process pinned to
// it, every result checked; a table per pass; again and again with --loop or --duration.
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench_engine.h"
#include "cli_options.h"
#include "processor_topology.h"
#include "run_recorder.h"
#include "stop_record.h"
#include "terminal_host.h"

namespace tallyforge::cli {

struct LeftOut {
  int processor = 0;
  std::string reason;
};

// Which processors take turns and which are left out, and why.
struct ProcessorPlan {
  std::vector<int> run;
  std::vector<LeftOut> leftOut;
};

// requested: --cores (empty: every processor known or allowed); known: the system's processors
// (ReadProcessorTopology; offline ones included); allowed: the affinity mask. A requested
// processor is run when allowed, else left out: offline, outside the mask or cpuset, or not a
// processor of this machine.
ProcessorPlan PlanProcessors(const std::vector<int>& requested,
                             const std::vector<ProcessorPlace>& known,
                             const std::vector<int>& allowed);

// Pins the process to processors: 0, or an errno value (PinToProcessors, or a test's stand-in).
using PinFunction = std::function<int(const std::vector<int>&)>;

struct EachCoreSettings {
  std::vector<int> benchmarks;
  std::vector<ProcessorPlace> processors;  // in turn
  std::vector<int> allowed;                // the mask to restore at the end
  bool loop = false;
  std::chrono::seconds duration{0};  // with loop: start no pass after this long; 0: no limit
  bool stopOnWrong = false;
  PinFunction pin;
};

struct EachCoreEnd {
  int status = 0;  // 0, 1, 3, 4 (a result not checked, or a turn not taken), 130
  // What a Ctrl-C, or --stop-on-wrong, left undone; none when the cycle ran to its end.
  std::optional<StopRecord> stop;
};

// The settings of options' --each-core, its plan recorded on recorder and every processor left
// out said on stderr; none, said, when no processor is left to run on. pin: PinToProcessors
// unless a test stands in for it.
std::optional<EachCoreSettings> PrepareEachCore(const CliOptions& options, PinFunction pin,
                                                RunRecorder& recorder);

// Runs passes through engine (whose host forwards to recorder, which forwards to host) until the
// last one: each processor in turn pinned, the benchmarks run, a turn that cannot be pinned
// recorded as not taken; after each pass the table on out. Ends at a Ctrl-C, at a wrong result
// with stopOnWrong, and with loop when duration has passed (or never, without one).
EachCoreEnd RunEachCore(BenchEngine& engine, TerminalHost& host, RunRecorder& recorder,
                        const EachCoreSettings& settings, std::FILE* out);

}  // namespace tallyforge::cli

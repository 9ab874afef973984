#include "each_core.h"

#include <algorithm>
#include <cstring>

#include "each_core_table.h"
#include "exit_status.h"
#include "formats.h"
#include "messages.h"
#include "processor_affinity.h"
#include "workload.h"

namespace tallyforge::cli {
namespace {

using Clock = std::chrono::steady_clock;

bool Contains(const std::vector<int>& list, int value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

std::string PinProblem(int error) {
  return std::string("cannot pin to it (") + std::strerror(error) +
         (error == EINVAL ? "): offline, or no longer allowed to this process" : ")");
}

std::string Names(const std::vector<int>& processors) {
  std::string text;
  for (int p : processors) {
    if (!text.empty()) text += ", ";
    text += std::to_string(p);
  }
  return text;
}

}  // namespace

ProcessorPlan PlanProcessors(const std::vector<int>& requested,
                             const std::vector<ProcessorPlace>& known,
                             const std::vector<int>& allowed) {
  std::vector<int> wanted = requested;
  if (wanted.empty()) {
    wanted = allowed;
    for (const ProcessorPlace& place : known) wanted.push_back(place.processor);
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  }
  ProcessorPlan plan;
  for (int p : wanted) {
    const ProcessorPlace* place = PlaceOf(known, p);
    if (Contains(allowed, p)) {
      plan.run.push_back(p);
    } else if (place != nullptr && !place->online) {
      plan.leftOut.push_back({p, "offline"});
    } else if (place != nullptr || known.empty()) {
      plan.leftOut.push_back({p, "outside the process's affinity mask or cpuset"});
    } else {
      plan.leftOut.push_back({p, "not a processor of this machine"});
    }
  }
  return plan;
}

std::optional<EachCoreSettings> PrepareEachCore(const CliOptions& options, PinFunction pin,
                                                RunRecorder& recorder) {
  const std::vector<ProcessorPlace> known = ReadProcessorTopology();
  EachCoreSettings settings;
  settings.allowed = AllowedProcessors();
  const ProcessorPlan plan = PlanProcessors(options.cores, known, settings.allowed);
  EachCoreRecord record;
  for (const LeftOut& out : plan.leftOut) {
    Complain("processor " + std::to_string(out.processor) + " left out: " + out.reason);
    record.leftOut.push_back(out.processor);
  }
  if (plan.run.empty()) {
    Complain("--each-core: no processor to run on (the process may use " +
             (settings.allowed.empty() ? std::string("none that the system names")
                                       : Names(settings.allowed)) + ")");
    return std::nullopt;
  }
  for (int p : plan.run) {
    const ProcessorPlace* place = PlaceOf(known, p);
    ProcessorPlace shown;
    shown.processor = p;
    settings.processors.push_back(place != nullptr ? *place : shown);
  }
  record.processors = settings.processors;
  recorder.BeginEachCore(std::move(record));
  settings.benchmarks = options.benchmarks;
  settings.loop = options.loop;
  settings.duration = options.duration;
  settings.stopOnWrong = options.stopOnWrong;
  settings.pin = pin ? std::move(pin) : PinFunction(PinToProcessors);
  return settings;
}

EachCoreEnd RunEachCore(BenchEngine& engine, TerminalHost& host, RunRecorder& recorder,
                        const EachCoreSettings& settings, std::FILE* out) {
  const Clock::time_point start = Clock::now();
  EachCoreEnd end;
  bool notTaken = false;
  bool over = false;
  int pass = 1;
  for (; !over; ++pass) {
    recorder.BeginPass(pass);
    bool anyTaken = false;
    for (size_t turn = 0; turn < settings.processors.size() && !over; ++turn) {
      const ProcessorPlace& place = settings.processors[turn];
      const int processor = place.processor;
      if (const int error = settings.pin({processor})) {
        notTaken = true;
        recorder.SetProcessor(std::nullopt);
        recorder.RecordNotRun(processor, PinProblem(error));
        Complain("processor " + std::to_string(processor) + " NOT RUN in pass " +
                 std::to_string(pass) + ": " + PinProblem(error));
        continue;
      }
      anyTaken = true;
      recorder.SetProcessor(processor);
      std::fprintf(out, "processor %d, pass %d:\n", processor, pass);
      std::fflush(out);
      for (size_t b = 0; b < settings.benchmarks.size(); ++b) {
        const int bench = settings.benchmarks[b];
        for (int k = 1; k <= kRowCount; ++k) host.SetCheck(k, k == bench);
        const RunOutcome outcome = engine.OnStartBench();
        const bool wrong = recorder.runs().back().check.verdict == RunVerdict::kWrong;
        const bool stopped = outcome.stopRequested || TerminalHost::InterruptPending();
        if (!stopped && !(wrong && settings.stopOnWrong)) continue;
        // What is left undone: the rest of this processor's benchmarks, then the others' turns.
        StopRecord stop;
        stop.at = BenchmarkName(bench) + " on processor " + std::to_string(processor) +
                  " of pass " + std::to_string(pass) +
                  (stopped ? "" : " (--stop-on-wrong, at a WRONG result)");
        std::vector<int> rest(settings.benchmarks.begin() + static_cast<std::ptrdiff_t>(b) + 1,
                              settings.benchmarks.end());
        if (!rest.empty()) {
          std::string names = BenchmarkName(rest.front());
          for (size_t r = 1; r < rest.size(); ++r) names += ", " + BenchmarkName(rest[r]);
          stop.notRun.push_back(names + " on processor " + std::to_string(processor));
        }
        std::vector<int> others;
        for (size_t t = turn + 1; t < settings.processors.size(); ++t) {
          others.push_back(settings.processors[t].processor);
        }
        if (!others.empty()) {
          stop.notRun.push_back((others.size() == 1 ? "processor " : "processors ") +
                                Names(others) + " of pass " + std::to_string(pass));
        }
        end.stop = stop;
        end.status = stopped ? kExitInterrupted : kExitWrongResult;
        over = true;
        break;
      }
    }
    settings.pin(settings.allowed);
    recorder.SetProcessor(std::nullopt);
    PrintEachCoreTable(out, pass, settings.benchmarks,
                       EachCoreRows(recorder.results(), pass, settings.benchmarks));
    if (!settings.loop) over = true;
    // A pass in which no turn could be taken would repeat as fast as it fails, and a stop that
    // came between runs would never be seen: both end the cycle.
    if (!over && !anyTaken) {
      Complain("--each-core: no processor could be pinned in pass " + std::to_string(pass) +
               "; the cycle ends");
      over = true;
    }
    if (!over && TerminalHost::InterruptPending()) {
      StopRecord stop;
      stop.at = "the end of pass " + std::to_string(pass);
      stop.notRun.push_back("pass " + std::to_string(pass + 1) + " and after");
      end.stop = stop;
      end.status = kExitInterrupted;
      over = true;
    }
    if (settings.duration.count() > 0 && Clock::now() - start >= settings.duration) over = true;
  }

  // Where each WRONG result came from, one line each, for a long run's closing words.
  int wrongCount = 0;
  for (const RecordedRun& run : recorder.runs()) {
    if (run.check.verdict != RunVerdict::kWrong || !run.processor) continue;
    ++wrongCount;
    std::fprintf(out, "WRONG on processor %d: %s in pass %d\n", *run.processor,
                 BenchmarkName(run.outcome.bench).c_str(), run.pass);
  }
  const int passes = pass - 1;
  const bool allVerified = std::all_of(recorder.runs().begin(), recorder.runs().end(),
                                       [](const RecordedRun& run) {
                                         return run.check.verdict == RunVerdict::kVerified;
                                       });
  std::string summary = "every result verified";
  if (wrongCount > 0) {
    summary = std::to_string(wrongCount) + " WRONG";
  } else if (!allVerified || recorder.runs().empty()) {
    summary = "not every result verified (see above)";
  }
  if (notTaken) summary += "; a turn not taken (see above)";
  if (end.stop) summary += end.status == kExitInterrupted ? "; stopped" : "; ended at the first WRONG";
  std::fprintf(out, "each core: %d pass%s over %zu processor%s; %s\n", passes,
               passes == 1 ? "" : "es", settings.processors.size(),
               settings.processors.size() == 1 ? "" : "s", summary.c_str());
  std::fflush(out);
  end.status = WorseExit(end.status, ExitStatusOf(recorder.runs(), end.status == kExitInterrupted));
  if (notTaken) end.status = WorseExit(end.status, kExitNotChecked);
  return end;
}

}  // namespace tallyforge::cli

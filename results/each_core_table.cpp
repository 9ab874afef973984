#include "each_core_table.h"

#include "formats.h"
#include "run_statistics.h"
#include "run_verdict.h"
#include "safe_text.h"
#include "workload.h"

namespace tallyforge {
namespace {

std::string Number(const std::optional<int>& value) {
  return value ? std::to_string(*value) : "-";
}

std::string Figure(const std::optional<double>& value, const char* format) {
  if (!value) return "-";
  char text[32];
  std::snprintf(text, sizeof text, format, *value);
  return text;
}

// The verdicts of a processor's runs, worst first: WRONG, not checked, not run, stopped.
std::string VerdictOf(const std::vector<const RecordedRun*>& runs, bool& wrong) {
  std::string worst[5];  // benchmarks per verdict, indexed by RunVerdict
  for (const RecordedRun* run : runs) {
    const auto at = static_cast<size_t>(run->check.verdict);
    if (!worst[at].empty()) worst[at] += ' ';
    worst[at] += BenchmarkName(run->outcome.bench);
  }
  wrong = !worst[static_cast<size_t>(RunVerdict::kWrong)].empty();
  for (RunVerdict verdict : {RunVerdict::kWrong, RunVerdict::kNotChecked, RunVerdict::kNotRun,
                             RunVerdict::kStopped}) {
    const std::string& names = worst[static_cast<size_t>(verdict)];
    if (!names.empty()) return std::string(VerdictName(verdict)) + ": " + names;
  }
  return runs.empty() ? "not reached" : "verified";
}

}  // namespace

std::vector<ProcessorRow> EachCoreRows(const RecordedResults& results, int pass,
                                       const std::vector<int>& benchmarks) {
  std::vector<ProcessorRow> rows;
  if (!results.eachCore) return rows;
  for (const ProcessorPlace& place : results.eachCore->processors) {
    ProcessorRow row;
    row.place = place;
    std::vector<const RecordedRun*> runs;
    for (const RecordedRun& run : results.runs) {
      if (run.pass == pass && run.processor == place.processor) runs.push_back(&run);
    }
    for (int bench : benchmarks) {
      std::optional<double> seconds;
      for (const RecordedRun* run : runs) {
        if (run->outcome.bench == bench && run->outcome.ran && !run->outcome.stopped) {
          seconds = TicksToSeconds(run->outcome.ticks);
        }
      }
      row.seconds.push_back(seconds);
    }
    row.verdict = VerdictOf(runs, row.wrong);
    for (const ProcessorNotRun& turn : results.eachCore->notRun) {
      if (turn.pass == pass && turn.processor == place.processor) {
        row.verdict = "NOT RUN: " + turn.reason;
      }
    }
    rows.push_back(std::move(row));
  }
  for (size_t b = 0; b < benchmarks.size(); ++b) {
    std::vector<double> times;
    for (const ProcessorRow& row : rows) {
      if (row.seconds[b]) times.push_back(*row.seconds[b]);
    }
    const std::optional<double> median = Median(times);
    for (ProcessorRow& row : rows) {
      row.ratios.push_back(row.seconds[b] && median && *median > 0
                               ? std::optional<double>(*row.seconds[b] / *median)
                               : std::nullopt);
    }
  }
  return rows;
}

void PrintEachCoreTable(std::FILE* out, int pass, const std::vector<int>& benchmarks,
                        const std::vector<ProcessorRow>& rows) {
  std::fprintf(out, "\nEach core, pass %d (ratio: time / the median processor's time)\n", pass);
  std::fprintf(out, "%9s %5s %7s  %-24s", "processor", "core", "package", "kind");
  for (int bench : benchmarks) {
    std::fprintf(out, " %9s %6s", (BenchmarkName(bench) + " (s)").c_str(), "ratio");
  }
  std::fprintf(out, "  verdict\n");
  for (const ProcessorRow& row : rows) {
    std::fprintf(out, "%9d %5s %7s  %-24s", row.place.processor, Number(row.place.core).c_str(),
                 Number(row.place.package).c_str(),
                 row.place.kind.empty() ? "-" : row.place.kind.c_str());
    for (size_t b = 0; b < benchmarks.size(); ++b) {
      std::fprintf(out, " %9s %6s", Figure(row.seconds[b], "%.3f").c_str(),
                   Figure(row.ratios[b], "%.3f").c_str());
    }
    std::fprintf(out, "  %s\n", TerminalText(row.verdict).c_str());
  }
  std::fflush(out);
}

}  // namespace tallyforge

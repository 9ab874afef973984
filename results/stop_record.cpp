#include "stop_record.h"

#include <algorithm>

#include "formats.h"
#include "safe_text.h"

namespace tallyforge {
namespace {

// A text of the document for the terminal, a line long at most whatever the document holds.
std::string Shown(const std::string& text) { return TerminalText(text.substr(0, 100)); }

std::string CopiesAtOnce(int copies) {
  return std::to_string(copies) + (copies == 1 ? " copy at once" : " copies at once");
}

}  // namespace

StopRecord SessionStop(const std::vector<int>& benchmarks, int passes,
                       const std::vector<RecordedRun>& runs) {
  StopRecord stop;
  int pass = 1;
  auto next = benchmarks.begin();  // the first benchmark of the pass that did not run
  if (runs.empty()) {
    stop.at = "the start";
  } else {
    pass = runs.back().pass;
    const int bench = runs.back().outcome.bench;
    stop.at = BenchmarkName(bench) + " of pass " + std::to_string(pass);
    next = std::find(benchmarks.begin(), benchmarks.end(), bench);
    if (next != benchmarks.end()) ++next;
  }
  if (next != benchmarks.end()) {
    std::string rest;
    for (; next != benchmarks.end(); ++next) {
      if (!rest.empty()) rest += ", ";
      rest += BenchmarkName(*next);
    }
    stop.notRun.push_back(rest + " of pass " + std::to_string(pass));
  }
  if (passes == pass + 1) stop.notRun.push_back("pass " + std::to_string(passes));
  if (passes > pass + 1) {
    stop.notRun.push_back("passes " + std::to_string(pass + 1) + " to " + std::to_string(passes));
  }
  return stop;
}

StopRecord JobsStop(const std::vector<int>& counts, size_t done) {
  StopRecord stop;
  stop.at = done == 0 ? "the start" : CopiesAtOnce(counts[std::min(done, counts.size()) - 1]);
  for (size_t i = done; i < counts.size(); ++i) stop.notRun.push_back(CopiesAtOnce(counts[i]));
  return stop;
}

std::string StopText(const StopRecord& stop, size_t most) {
  std::string text = "stopped at " + Shown(stop.at);
  if (stop.notRun.empty()) return text + "; nothing was left to run";
  text += "; not run: ";
  for (size_t i = 0; i < stop.notRun.size() && i < most; ++i) {
    text += (i > 0 ? ", " : "") + Shown(stop.notRun[i]);
  }
  if (stop.notRun.size() > most) text += " and " + std::to_string(stop.notRun.size() - most) + " more";
  return text;
}

}  // namespace tallyforge

#include "console_reporter.h"

#include "formats.h"
#include "safe_text.h"
#include "workload.h"

namespace tallyforge {
namespace {

std::string ScoreFigure(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

void PrintLine(std::FILE* out, const std::string& name, const Summary& s,
               const std::string& verdict, std::string (*format)(double)) {
  std::string interval = "-";
  if (s.ciLow) interval = format(*s.ciLow) + " .. " + format(*s.ciHigh);
  std::string spread = "-";
  if (s.spread) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", *s.spread * 100);
    spread = text;
  }
  std::fprintf(out, "%-11s %10s %10s %10s %8s %22s  %s\n", name.c_str(), format(s.min).c_str(),
               format(s.median).c_str(), format(s.max).c_str(), spread.c_str(), interval.c_str(),
               verdict.c_str());
}

}  // namespace

std::string CellText(const std::string& cell) {
  std::string text = cell;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return TerminalText(text);
}

void PrintRowsHeader(std::FILE* out) {
  std::fprintf(out, "%-10s %12s %15s %8s\n", "Benchmark", "Your Time", "Reference Time", "%");
  std::fflush(out);
}

void PrintRow(std::FILE* out, const ResultBoard& board, const RunOutcome& outcome) {
  const int bench = outcome.bench;
  std::fprintf(out, "%-10s %12s %15s %8s%s\n", BenchmarkName(bench).c_str(),
               CellText(board.yourTime(bench)).c_str(), CellText(board.refTime(bench)).c_str(),
               CellText(board.percent(bench)).c_str(),
               outcome.stopped         ? "  (stopped)"
               : outcome.stopRequested ? "  (stopped as its work ended)"
                                       : "");
  std::fflush(out);
}

void PrintCheck(std::FILE* out, const Verification& verification) {
  std::fprintf(out, "  %s\n", TerminalText(VerificationText(verification)).c_str());
  std::fflush(out);
}

void PrintTotalScore(std::FILE* out, bool scored, const std::string& cell) {
  if (scored) {
    std::fprintf(out, "TOTAL SCORE %s\n", CellText(cell).c_str());
  } else {
    std::fprintf(out, "TOTAL SCORE: none (the stress run was stopped)\n");
  }
  std::fflush(out);
}

void PrintStatistics(std::FILE* out, const RecordedResults& results) {
  std::fprintf(out, "\n%-11s %10s %10s %10s %8s %22s  %s\n", "Benchmark", "min", "median", "max",
               "spread", "95% CI of the median", "verdict");
  for (const BenchmarkSummary& s : results.benchmarks) {
    if (!s.stats) continue;
    std::string verdict = s.noise.verdict;
    for (const std::string& cause : s.noise.causes) verdict += "; " + cause;
    if (s.slowdown.verdict == "slowing") {
      char text[128];
      std::snprintf(text, sizeof text,
                    "; slowing: pass %d took %.1f%% longer than the first (stretch noise %.1f%%)",
                    s.slowdown.worstPass, (s.slowdown.worstRatio - 1) * 100,
                    s.slowdown.noise * 100);
      verdict += text;
    }
    PrintLine(out, BenchmarkName(s.bench), *s.stats, verdict, TimeText);
  }
  if (const auto& score = results.scoreStatistics) {
    std::string verdict = !score->spread ? "n/a" : *score->spread <= kStableSpread ? "stable"
                                                                                  : "noisy";
    PrintLine(out, "TOTAL SCORE", *score, verdict, ScoreFigure);
  }
  std::fflush(out);
}

}  // namespace tallyforge

#include "document_compare.h"

#include <map>
#include <string>

#include "exit_status.h"
#include "figure_text.h"
#include "safe_text.h"

namespace tallyforge {
namespace {

std::string Ratio(const std::optional<double>& a, const std::optional<double>& b) {
  if (!a || !b || *a == 0) return "n/a";
  return Figure(*b / *a, "%.3f");
}

// The arithmetic as the terminal shows it, at most a line long whatever the document holds.
std::string ArithmeticText(const ResultDocument& document) {
  return TerminalText(ArithmeticOf(document).substr(0, 60));
}

// Each benchmark's median seconds over its passes, in the document's order.
std::vector<std::pair<std::string, std::optional<double>>> Medians(const ResultDocument& document) {
  std::vector<std::pair<std::string, std::optional<double>>> medians;
  for (const DocumentBenchmark& benchmark : document.benchmarks) {
    medians.emplace_back(benchmark.benchmark, benchmark.seconds
                                                  ? std::optional<double>(benchmark.seconds->median)
                                                  : std::nullopt);
  }
  return medians;
}

std::optional<double> MedianScore(const ResultDocument& document) {
  const auto& statistics = document.totalScore.statistics;
  return statistics ? std::optional<double>(statistics->median) : std::nullopt;
}

}  // namespace

Comparison CompareDocuments(const ResultDocument& a, const ResultDocument& b,
                            const ExpectedAnswers& answers, std::FILE* out) {
  Comparison result;
  result.a = CheckDocument(a, answers);
  result.b = CheckDocument(b, answers);
  for (const auto& [label, findings] : {std::pair{"A", &result.a}, std::pair{"B", &result.b}}) {
    if (!findings->allWell()) {
      std::fprintf(out, "%s: %s: its times are not a clean result\n", label,
                   CheckSummaryText(*findings).c_str());
    }
  }
  // A document older than the engine's own remainder was measured with its C library's fmod.
  if (!a.remainder && !b.remainder) {
    std::fprintf(out, "A and B do not record their arithmetic (older documents, each measured "
                      "with its platform's C library fmod): their times may measure the "
                      "arithmetic as well as the machines\n");
  } else if (!SameArithmetic(a, b)) {
    std::fprintf(out, "A and B were measured with different arithmetic (A: %s, B: %s): their "
                 "times measure the arithmetic as well as the machines\n",
                 ArithmeticText(a).c_str(), ArithmeticText(b).c_str());
  }
  std::fprintf(out, "%-11s %12s %12s %8s\n", "Benchmark", "A (s)", "B (s)", "B/A");
  const auto mediansB = Medians(b);
  const std::map<std::string, std::optional<double>> inB(mediansB.begin(), mediansB.end());
  for (const auto& [name, secondsA] : Medians(a)) {
    const auto secondsB = inB.find(name);
    if (secondsB == inB.end()) continue;
    std::fprintf(out, "%-11s %12s %12s %8s\n", TerminalText(name).c_str(),
                 Figure(secondsA, "%.4f").c_str(), Figure(secondsB->second, "%.4f").c_str(),
                 Ratio(secondsA, secondsB->second).c_str());
    result.common = true;
  }
  const std::optional<double> scoreA = MedianScore(a), scoreB = MedianScore(b);
  if (scoreA || scoreB) {
    std::fprintf(out, "%-11s %12s %12s %8s\n", "TOTAL SCORE", Figure(scoreA, "%.1f").c_str(),
                 Figure(scoreB, "%.1f").c_str(), Ratio(scoreA, scoreB).c_str());
  }
  std::fprintf(out, "Times are medians over each document's passes; B/A below 1 means B was "
                    "faster, a score ratio above 1 means B scored higher.\n");
  return result;
}

int CompareExitStatus(const Comparison& comparison) {
  if (const int status = CheckExitStatus({&comparison.a, &comparison.b}); status != 0) return status;
  return comparison.common ? 0 : kExitRunFailed;
}

}  // namespace tallyforge

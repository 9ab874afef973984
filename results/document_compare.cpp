#include "document_compare.h"

#include <map>
#include <string>

#include "safe_text.h"

namespace tallyforge {
namespace {

std::string Figure(const std::optional<double>& value, const char* format) {
  if (!value) return "-";
  char text[32];
  std::snprintf(text, sizeof text, format, *value);
  return text;
}

std::string Ratio(const std::optional<double>& a, const std::optional<double>& b) {
  if (!a || !b || *a == 0) return "-";
  return Figure(*b / *a, "%.3f");
}

}  // namespace

bool CompareDocuments(const ResultDocument& a, const ResultDocument& b, std::FILE* out) {
  std::fprintf(out, "%-11s %12s %12s %8s\n", "Benchmark", "A (s)", "B (s)", "B/A");
  bool common = false;
  const std::map<std::string, std::optional<double>> inB(b.medians.begin(), b.medians.end());
  for (const auto& [name, secondsA] : a.medians) {
    const auto secondsB = inB.find(name);
    if (secondsB == inB.end()) continue;
    std::fprintf(out, "%-11s %12s %12s %8s\n", TerminalText(name).c_str(),
                 Figure(secondsA, "%.4f").c_str(), Figure(secondsB->second, "%.4f").c_str(),
                 Ratio(secondsA, secondsB->second).c_str());
    common = true;
  }
  if (a.medianScore || b.medianScore) {
    std::fprintf(out, "%-11s %12s %12s %8s\n", "TOTAL SCORE", Figure(a.medianScore, "%.1f").c_str(),
                 Figure(b.medianScore, "%.1f").c_str(), Ratio(a.medianScore, b.medianScore).c_str());
  }
  std::fprintf(out, "Times are medians over each document's passes; B/A below 1 means B was "
                    "faster, a score ratio above 1 means B scored higher.\n");
  return common;
}

}  // namespace tallyforge

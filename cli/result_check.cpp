#include "result_check.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "result_document.h"

namespace tallyforge::cli {
namespace {

using nlohmann::json;

std::optional<double> Number(const json& value) {
  if (!value.is_number()) return std::nullopt;
  return value.get<double>();
}

std::optional<double> MedianSeconds(const json& benchmark) {
  const json& seconds = benchmark.value("seconds", json());
  if (!seconds.is_object()) return std::nullopt;
  return Number(seconds.value("median", json()));
}

std::optional<double> MedianScore(const json& document) {
  const json& total = document.value("total_score", json());
  if (!total.is_object() || !total.value("statistics", json()).is_object()) return std::nullopt;
  return Number(total["statistics"].value("median", json()));
}

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

std::optional<json> LoadDocument(const std::filesystem::path& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot be read";
    return std::nullopt;
  }
  std::stringstream text;
  text << in.rdbuf();
  json document = json::parse(text.str(), nullptr, /*allow_exceptions=*/false);
  if (document.is_discarded()) {
    error = "is not JSON";
    return std::nullopt;
  }
  if (!document.is_object() || document.value("schema", "") != kDocumentSchema) {
    error = "is not a tallyforge result document";
    return std::nullopt;
  }
  return document;
}

int CheckDocument(const json& document, const ExpectedAnswers& answers, std::FILE* out) {
  int status = 0;
  const json& integrity = document.value("integrity", json());
  const std::string recorded =
      integrity.is_object() ? integrity.value("figures_sha256", "") : std::string();
  if (recorded.empty()) {
    std::fprintf(out, "figures: no checksum recorded, cannot tell whether they were edited\n");
    status = 1;
  } else if (FiguresDigest(document) != recorded) {
    std::fprintf(out, "figures: EDITED after the document was written (checksum differs)\n");
    status = 1;
  } else {
    std::fprintf(out, "figures: unchanged since the document was written\n");
  }

  const bool standard = document.value("workload", "") == "standard";
  const json& runs = document.value("runs", json::array());
  for (const json& run : runs.is_array() ? runs : json::array()) {
    if (!run.is_object() || !run.value("output_file", json()).is_string()) continue;
    const std::string name = run["output_file"].get<std::string>();
    const std::string label = run.value("benchmark", "?") + " pass " +
                              std::to_string(run.value("pass", 0)) + " " + name;
    const json& digest = run.value("output_sha256", json());
    const auto expected = answers.find(name);
    if (!digest.is_string()) {
      std::fprintf(out, "%s: no checksum recorded\n", label.c_str());
      status = 1;
    } else if (!standard || expected == answers.end()) {
      std::fprintf(out, "%s: no expected answer for this work\n", label.c_str());
    } else if (digest.get<std::string>() == expected->second) {
      std::fprintf(out, "%s: matches the expected answer\n", label.c_str());
    } else {
      std::fprintf(out, "%s: DIFFERS from the expected answer%s\n", label.c_str(),
                   run.value("stopped", false) ? " (the run was stopped)" : "");
      status = 1;
    }
  }
  return status;
}

int CompareDocuments(const json& a, const json& b, std::FILE* out) {
  std::fprintf(out, "%-11s %12s %12s %8s\n", "Benchmark", "A (s)", "B (s)", "B/A");
  int common = 0;
  const json& listA = a.value("benchmarks", json::array());
  const json& listB = b.value("benchmarks", json::array());
  for (const json& benchA : listA.is_array() ? listA : json::array()) {
    if (!benchA.is_object()) continue;
    const std::string name = benchA.value("benchmark", "");
    for (const json& benchB : listB.is_array() ? listB : json::array()) {
      if (!benchB.is_object() || benchB.value("benchmark", "") != name) continue;
      const auto secondsA = MedianSeconds(benchA);
      const auto secondsB = MedianSeconds(benchB);
      std::fprintf(out, "%-11s %12s %12s %8s\n", name.c_str(), Figure(secondsA, "%.4f").c_str(),
                   Figure(secondsB, "%.4f").c_str(), Ratio(secondsA, secondsB).c_str());
      ++common;
    }
  }
  const auto scoreA = MedianScore(a);
  const auto scoreB = MedianScore(b);
  if (scoreA || scoreB) {
    std::fprintf(out, "%-11s %12s %12s %8s\n", "TOTAL SCORE", Figure(scoreA, "%.1f").c_str(),
                 Figure(scoreB, "%.1f").c_str(), Ratio(scoreA, scoreB).c_str());
  }
  std::fprintf(out, "Times are medians over each document's passes; B/A below 1 means B was "
                    "faster, a score ratio above 1 means B scored higher.\n");
  return common > 0 ? 0 : 1;
}

}  // namespace tallyforge::cli

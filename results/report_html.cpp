#include "report_html.h"

#include "report_svg.h"
#include "safe_text.h"
#include "version.h"

namespace tallyforge {
namespace {

constexpr const char* kHead =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    // Nothing is fetched and nothing runs, whatever a document managed to put on the page.
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
    "style-src 'unsafe-inline'\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<title>Tallyforge report</title>\n<style>\n"
    "body { font-family: sans-serif; font-size: 14px; margin: 16px; color: #111; }\n"
    "table { border-collapse: collapse; margin: 8px 0 16px; }\n"
    "th, td { border: 1px solid #ccc; padding: 3px 6px; text-align: left; vertical-align: top; }\n"
    "td.n { text-align: right; font-variant-numeric: tabular-nums; }\n"
    "tr.failed td { background: #fde0e0; }\n"
    ".failed-mark { color: #c00; font-weight: bold; }\n"
    "svg { display: block; margin: 8px 0; max-width: 100%; height: auto; }\n"
    "details { margin: 8px 0; border-top: 1px solid #ccc; padding-top: 4px; }\n"
    "summary { cursor: pointer; font-weight: bold; }\n"
    "</style>\n</head>\n<body>\n";

std::string Cell(const std::string& text, bool number = false) {
  return std::string(number ? "<td class=\"n\">" : "<td>") + text + "</td>";
}

std::string CheckCell(const ReportDocument& document) {
  if (document.clean) return Cell("verified");
  const std::string prefix = "check: FAILED: ";
  const std::string& summary = document.checkSummary;
  return Cell("<span class=\"failed-mark\">FAILED</span>: " +
              MarkupText(summary.starts_with(prefix) ? summary.substr(prefix.size()) : summary));
}

void DocumentsTable(const ReportModel& model, std::string& out) {
  out += "<h2>Documents, best score first</h2>\n<table>\n<tr><th>Rank</th><th>Document</th>"
         "<th>Machine</th><th>Build</th><th>Arithmetic</th><th>Started</th><th>Run</th>"
         "<th>Score</th><th>check</th></tr>\n";
  size_t rank = 0;
  for (size_t i : model.ranking) {
    const ReportDocument& d = model.documents[i];
    out += d.clean ? "<tr>" : "<tr class=\"failed\">";
    out += Cell(std::to_string(++rank), true) + Cell(DocumentLabel(model.documents, i)) +
           Cell(MarkupText(d.machine)) + Cell(MarkupText(d.build)) +
           Cell(MarkupText(d.arithmetic, 40)) + Cell(MarkupText(d.time, 40)) +
           Cell(MarkupText(d.mode, 20) + (d.repeat > 1 ? ", " + std::to_string(d.repeat) + " passes" : "")) +
           Cell(Figure(d.score, "%.1f"), true) + CheckCell(d) + "</tr>\n";
  }
  out += "</table>\n";
}

void TimesTable(const ReportModel& model, std::string& out) {
  const std::vector<std::string>& names = model.benchmarks;
  out += "<h2>Median times (seconds), best score first</h2>\n<table>\n<tr><th>Rank</th>"
         "<th>Document</th>";
  for (const std::string& name : names) out += "<th>" + name + "</th>";
  out += "<th>Score</th></tr>\n";
  size_t rank = 0;
  for (size_t i : model.ranking) {
    const ReportDocument& d = model.documents[i];
    out += d.clean ? "<tr>" : "<tr class=\"failed\">";
    out += Cell(std::to_string(++rank), true) + Cell(DocumentLabel(model.documents, i));
    for (const std::string& name : names) {
      std::optional<double> median;
      for (const ReportBenchmark& b : d.benchmarks) {
        if (b.name == name) median = b.median;
      }
      out += Cell(Figure(median, "%.4f"), true);
    }
    out += Cell(Figure(d.score, "%.1f"), true) + "</tr>\n";
  }
  out += "</table>\n";
}

std::string Causes(const ReportBenchmark& b) {
  std::string text = MarkupText(b.noise, 20);
  for (size_t i = 0; i < b.noiseCauses.size() && i < 8; ++i) {
    text += (i == 0 ? ": " : "; ") + MarkupText(b.noiseCauses[i]);
  }
  return text;
}

void DocumentDetails(const ReportModel& model, size_t index, std::string& out) {
  const ReportDocument& d = model.documents[index];
  out += model.documents.size() <= kMostSideBySide ? "<details open>" : "<details>";
  out += "<summary>" + DocumentLabel(model.documents, index) + ": " + MarkupText(d.machine) +
         "</summary>\n";
  out += "<p>" + MarkupText(d.checkSummary) + "</p>\n<table>\n<tr><th>Benchmark</th>"
         "<th>Median (s)</th><th>Min</th><th>Max</th><th>Reference</th><th>Complete runs</th>"
         "<th>Noise</th><th>Slowdown</th></tr>\n";
  for (const ReportBenchmark& b : d.benchmarks) {
    out += "<tr>" + Cell(b.name) + Cell(Figure(b.median, "%.4f"), true) +
           Cell(Figure(b.min, "%.4f"), true) + Cell(Figure(b.max, "%.4f"), true) +
           Cell(Figure(b.reference, "%.4f"), true) + Cell(std::to_string(b.runs.size()), true) +
           Cell(Causes(b)) + Cell(MarkupText(b.slowdown, 20)) + "</tr>\n";
  }
  out += "</table>\n";
  for (const ReportLineChart& chart : model.scaling) {
    if (chart.document == index) out += LineChartSvg(chart, model.documents);
  }
  for (const ReportProcessorChart& chart : model.processors) {
    if (chart.document == index) out += ProcessorChartSvg(chart, model.documents);
  }
  for (const ReportLineChart& chart : model.timelines) {
    if (chart.document == index) out += LineChartSvg(chart, model.documents);
  }
  out += "</details>\n";
}

}  // namespace

std::string ReportHtml(const ReportModel& model) {
  std::string out = kHead;
  out += "<h1>Tallyforge report</h1>\n<p>" + std::to_string(model.documents.size()) +
         (model.documents.size() == 1 ? " result document" : " result documents") +
         "; the first (#1) is the baseline. A document that fails <code>check</code> is marked "
         "FAILED and drawn hatched: it is not a clean result. Made by tallyforge-cli " +
         MarkupText(kVersion) + ".</p>\n";
  if (!model.oneArithmetic) {
    out += "<p class=\"failed-mark\">These documents were not all measured with the same "
           "arithmetic (see the Arithmetic column; an older document, which does not record it, "
           "was measured with its platform's C library fmod): their times and scores measure the "
           "arithmetic as well as the machines.</p>\n";
  }
  DocumentsTable(model, out);
  if (!model.scores.groups.empty()) out += BarChartSvg(model.scores, model.documents);
  if (model.benchmarkCharts.empty()) {
    out += "<p>With more than " + std::to_string(kMostSideBySide) +
           " documents the times per benchmark are in the table below, not drawn.</p>\n";
  }
  for (const ReportBarChart& chart : model.benchmarkCharts) {
    out += BarChartSvg(chart, model.documents);
  }
  TimesTable(model, out);
  if (!model.spreads.empty()) {
    out += "<h2>Repeated runs</h2>\n";
    for (const ReportSpreadChart& chart : model.spreads) out += SpreadChartSvg(chart, model.documents);
  }
  out += "<h2>Each document</h2>\n";
  for (size_t i = 0; i < model.documents.size(); ++i) DocumentDetails(model, i, out);
  return out + "</body>\n</html>\n";
}

}  // namespace tallyforge

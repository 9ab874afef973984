#pragma once
// The report's charts drawn as SVG: the model in, text out, no I/O. Each chart is one complete
// <svg> element with its own styling (attributes, no style sheet, no script, no font files),
// so that it stands alone as a file and inline in the HTML page alike. Every text taken from a
// document is escaped; a document that fails check is drawn hatched and labelled so.
#include <string>
#include <utility>
#include <vector>

#include "figure_text.h"
#include "report_model.h"

namespace tallyforge {

std::string BarChartSvg(const ReportBarChart& chart, const std::vector<ReportDocument>& documents);
std::string SpreadChartSvg(const ReportSpreadChart& chart,
                           const std::vector<ReportDocument>& documents);
std::string LineChartSvg(const ReportLineChart& chart, const std::vector<ReportDocument>& documents);
// A bar per processor (its time), the median processor's time as a dashed line, WRONG ones red.
std::string ProcessorChartSvg(const ReportProcessorChart& chart,
                              const std::vector<ReportDocument>& documents);

// How a document is named in charts and tables, escaped: "#2 host.json", with "(baseline)" for
// the first and "check FAILED" for one that fails check.
std::string DocumentLabel(const std::vector<ReportDocument>& documents, size_t index);

// Every chart of the model as a standalone SVG file: (file name, text), in page order.
std::vector<std::pair<std::string, std::string>> ReportSvgFiles(const ReportModel& model);

}  // namespace tallyforge

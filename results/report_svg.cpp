#include "report_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "safe_text.h"

namespace tallyforge {
namespace {

constexpr int kWidth = 820;
constexpr int kLabelWidth = 250;  // the document names left of the bars
constexpr int kBarsWidth = 400;
constexpr int kRow = 18;
// Colours told apart by most readers, colour-blind ones too.
constexpr const char* kPalette[] = {"#4477aa", "#ee6677", "#228833", "#ccbb44",
                                    "#66ccee", "#aa3377", "#bbbbbb", "#000000"};
constexpr const char* kFailed = "#cc0000";

__attribute__((format(printf, 2, 3))) void Add(std::string& out, const char* format, ...) {
  char buffer[512];
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  if (length > 0) out.append(buffer, std::min<size_t>(static_cast<size_t>(length), sizeof buffer - 1));
}

// A coordinate: finite and within reach whatever the figures were.
double At(double value) {
  if (!std::isfinite(value)) return 0;
  return std::clamp(value, -100000.0, 100000.0);
}

const char* Colour(size_t document) { return kPalette[document % std::size(kPalette)]; }

std::string Fill(const std::string& id, const ReportDocument& document, size_t index) {
  return document.clean ? Colour(index) : "url(#" + id + "-failed)";
}

// The start of a chart: its size, a title for screen readers and the hatching of failed bars.
std::string Open(const std::string& id, const std::string& title, int height) {
  std::string out;
  Add(out, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
           "viewBox=\"0 0 %d %d\" role=\"img\" aria-labelledby=\"%s-title\">\n",
      kWidth, height, kWidth, height, id.c_str());
  out += "<title id=\"" + id + "-title\">" + title + "</title>\n";
  out += "<defs><pattern id=\"" + id + "-failed\" width=\"6\" height=\"6\" "
         "patternUnits=\"userSpaceOnUse\" patternTransform=\"rotate(45)\">"
         "<rect width=\"6\" height=\"6\" fill=\"#ffffff\"/>"
         "<rect width=\"3\" height=\"6\" fill=\"" + std::string(kFailed) + "\"/></pattern></defs>\n";
  Add(out, "<rect width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n", kWidth, height);
  out += "<text x=\"8\" y=\"20\" font-family=\"sans-serif\" font-size=\"12\" "
         "font-weight=\"bold\">" + title + "</text>\n";
  return out;
}

void Text(std::string& out, double x, double y, const std::string& text, const char* extra = "",
          int size = 12) {
  Add(out, "<text x=\"%.1f\" y=\"%.1f\" font-family=\"sans-serif\" font-size=\"%d\" %s>", At(x),
      At(y), size, extra);
  out += text + "</text>\n";
}

std::string ValueText(const std::optional<double>& value, const std::string& unit) {
  if (unit == "s") return Figure(value, "%.4f") + (value ? " s" : "");
  if (unit == "%") return Figure(value, "%.0f") + (value ? "%" : "");
  return Figure(value, "%.1f");
}

// Round tick steps (1, 2 or 5 times a power of ten) from low to high; whole numbers only for a
// count (progress points, copies).
std::vector<double> Ticks(double low, double high, bool whole = false) {
  std::vector<double> ticks;
  const double span = high - low;
  if (!(span > 0) || !std::isfinite(span)) return {low};
  const double rough = span / 5;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = rough / power < 1.5 ? power : rough / power < 3.5 ? 2 * power : 5 * power;
  if (whole) step = std::max(step, 1.0);
  for (double tick = std::ceil(low / step) * step; tick <= high + step * 1e-9 && ticks.size() < 12;
       tick += step) {
    ticks.push_back(tick);
  }
  return ticks;
}

}  // namespace

std::string DocumentLabel(const std::vector<ReportDocument>& documents, size_t index) {
  std::string label = "#";  // appended piece by piece: g++ 12 warns falsely on "#" + string
  label += std::to_string(index + 1);
  label += ' ';
  label += MarkupText(documents[index].name, 48);
  if (index == 0) label += " (baseline)";
  if (!documents[index].clean) label += " check FAILED";
  return label;
}

std::string BarChartSvg(const ReportBarChart& chart, const std::vector<ReportDocument>& documents) {
  int height = 34;
  for (const ReportBarGroup& group : chart.groups) {
    height += (chart.groups.size() > 1 ? kRow + 2 : 0) + kRow * static_cast<int>(group.bars.size()) + 6;
  }
  std::string out = Open(chart.id, MarkupText(chart.title), height);
  double sharedMost = 0;
  for (const ReportBarGroup& group : chart.groups) {
    for (const ReportBar& bar : group.bars) sharedMost = std::max(sharedMost, bar.value.value_or(0));
  }
  double y = 34;
  for (const ReportBarGroup& group : chart.groups) {
    double most = 0;
    for (const ReportBar& bar : group.bars) most = std::max(most, bar.value.value_or(0));
    if (chart.sharedScale) most = sharedMost;
    if (chart.groups.size() > 1) {
      Text(out, 8, y + 13, MarkupText(group.label), "font-weight=\"bold\"");
      y += kRow + 2;
    }
    for (const ReportBar& bar : group.bars) {
      const ReportDocument& document = documents[bar.document];
      Text(out, 8, y + 12, DocumentLabel(documents, bar.document),
           document.clean ? "" : "fill=\"#cc0000\"");
      const double share = bar.value && most > 0 ? std::clamp(*bar.value / most, 0.0, 1.0) : 0;
      const double width = share * kBarsWidth;
      if (bar.value) {
        Add(out, "<rect x=\"%d\" y=\"%.1f\" width=\"%.1f\" height=\"12\" fill=\"%s\"%s/>\n",
            kLabelWidth, At(y + 2), At(std::max(width, 1.0)),
            Fill(chart.id, document, bar.document).c_str(),
            document.clean ? "" : " stroke=\"#cc0000\"");
      }
      std::string value = ValueText(bar.value, chart.unit);
      if (bar.vsBaseline) value += "  x" + Figure(bar.vsBaseline, "%.3f");
      Text(out, kLabelWidth + width + 6, y + 12, value);
      y += kRow;
    }
    y += 6;
  }
  return out + "</svg>\n";
}

std::string SpreadChartSvg(const ReportSpreadChart& chart,
                           const std::vector<ReportDocument>& documents) {
  const int height = 34 + kRow * static_cast<int>(chart.rows.size()) + 28;
  std::string out = Open(chart.id, MarkupText(chart.title), height);
  double low = INFINITY, high = -INFINITY;
  for (const ReportSpread& row : chart.rows) {
    low = std::min(low, row.min);
    high = std::max(high, row.max);
  }
  if (!(high > low)) {  // all alike: a little room either side
    const double room = std::fabs(low) > 0 ? std::fabs(low) * 0.01 : 1;
    low -= room;
    high += room;
  }
  const auto x = [&](double seconds) {
    return kLabelWidth + std::clamp((seconds - low) / (high - low), 0.0, 1.0) * kBarsWidth;
  };
  double y = 34;
  for (const ReportSpread& row : chart.rows) {
    const ReportDocument& document = documents[row.document];
    const char* colour = document.clean ? Colour(row.document) : kFailed;
    Text(out, 8, y + 12, DocumentLabel(documents, row.document),
         document.clean ? "" : "fill=\"#cc0000\"");
    Add(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" "
             "stroke-width=\"2\"%s/>\n",
        x(row.min), At(y + 8), x(row.max), At(y + 8), colour,
        document.clean ? "" : " stroke-dasharray=\"4 2\"");
    for (double run : row.runs) {
      Add(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"3\" fill=\"%s\" fill-opacity=\"0.5\"/>\n",
          x(run), At(y + 8), colour);
    }
    Add(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#000000\" "
             "stroke-width=\"2\"/>\n",
        x(row.median), At(y + 1), x(row.median), At(y + 15));
    Text(out, kLabelWidth + kBarsWidth + 8, y + 12,
         "median " + Figure(row.median, "%.4f") + " s, " + MarkupText(row.noise, 20));
    y += kRow;
  }
  Add(out, "<line x1=\"%d\" y1=\"%.1f\" x2=\"%d\" y2=\"%.1f\" stroke=\"#888888\"/>\n", kLabelWidth,
      At(y + 2), kLabelWidth + kBarsWidth, At(y + 2));
  for (double tick : Ticks(low, high)) {
    Text(out, x(tick) - 12, y + 16, Figure(tick, "%.4g") + " s", "", 10);
  }
  return out + "</svg>\n";
}

std::string LineChartSvg(const ReportLineChart& chart, const std::vector<ReportDocument>& documents) {
  constexpr double left = 70, right = 640, top = 52, bottom = 292;
  const int height = 332;
  std::string title = MarkupText(chart.title);
  if (chart.document) title = DocumentLabel(documents, *chart.document) + ": " + title;
  std::string out = Open(chart.id, title, height);
  double lowX = INFINITY, highX = -INFINITY, highY = 0;
  for (const ReportLine& line : chart.lines) {
    for (const auto& [px, py] : line.points) {
      lowX = std::min(lowX, px);
      highX = std::max(highX, px);
      highY = std::max(highY, py);
    }
  }
  if (!std::isfinite(lowX)) lowX = 0, highX = 1;
  if (!(highX > lowX)) highX = lowX + 1;
  if (!(highY > 0) || !std::isfinite(highY)) highY = 1;
  const auto x = [&](double v) { return left + std::clamp((v - lowX) / (highX - lowX), 0.0, 1.0) * (right - left); };
  const auto y = [&](double v) { return bottom - std::clamp(v / highY, 0.0, 1.0) * (bottom - top); };
  Add(out, "<path d=\"M%.0f %.0fV%.0fH%.0f\" fill=\"none\" stroke=\"#888888\"/>\n", left, top,
      bottom, right);
  for (double tick : Ticks(0, highY)) {
    Text(out, 8, y(tick) + 4, Figure(tick, "%.4g"), "", 10);
    Add(out, "<line x1=\"%.0f\" y1=\"%.1f\" x2=\"%.0f\" y2=\"%.1f\" stroke=\"#eeeeee\"/>\n", left,
        y(tick), right, y(tick));
  }
  for (double tick : Ticks(lowX, highX, true)) {
    Text(out, x(tick) - 6, bottom + 14, Figure(tick, "%.4g"), "", 10);
  }
  Text(out, left, bottom + 32, MarkupText(chart.xLabel));
  Text(out, 8, top - 14, MarkupText(chart.yLabel));
  const bool failed = chart.document && !documents[*chart.document].clean;
  size_t colour = 0;
  double legend = top;
  for (const ReportLine& line : chart.lines) {
    const std::string stroke = line.ideal ? "#888888" : failed ? kFailed : Colour(colour++);
    const char* dash = line.ideal || failed ? " stroke-dasharray=\"6 3\"" : "";
    out += "<polyline fill=\"none\" stroke=\"" + stroke + "\" stroke-width=\"1.5\"" + dash +
           " points=\"";
    for (const auto& [px, py] : line.points) Add(out, "%.1f,%.1f ", x(px), y(py));
    out += "\"/>\n";
    if (line.points.size() <= 20) {
      for (const auto& [px, py] : line.points) {
        Add(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"2.5\" fill=\"%s\"/>\n", x(px), y(py),
            stroke.c_str());
      }
    }
    Add(out, "<line x1=\"%.0f\" y1=\"%.1f\" x2=\"%.0f\" y2=\"%.1f\" stroke=\"%s\" "
             "stroke-width=\"2\"%s/>\n",
        right + 16, legend, right + 36, legend, stroke.c_str(), dash);
    Text(out, right + 42, legend + 4, MarkupText(line.label, 24));
    legend += 16;
  }
  if (failed) Text(out, left + 8, top + 14, "check FAILED: not a clean result", "fill=\"#cc0000\"");
  return out + "</svg>\n";
}

std::string ProcessorChartSvg(const ReportProcessorChart& chart,
                              const std::vector<ReportDocument>& documents) {
  constexpr double left = 70, right = 780, top = 52, bottom = 262;
  const int height = 310;
  const bool failed = !documents[chart.document].clean;
  std::string out = Open(chart.id, DocumentLabel(documents, chart.document) + ": " +
                                       MarkupText(chart.title), height);
  double highY = 0;
  for (const ReportProcessorBar& bar : chart.bars) highY = std::max(highY, At(bar.seconds.value_or(0)));
  if (!(highY > 0)) highY = 1;
  highY *= 1.1;  // room above the tallest bar for its WRONG mark
  const auto y = [&](double v) { return bottom - std::clamp(v / highY, 0.0, 1.0) * (bottom - top); };
  Add(out, "<path d=\"M%.0f %.0fV%.0fH%.0f\" fill=\"none\" stroke=\"#888888\"/>\n", left, top,
      bottom, right);
  for (double tick : Ticks(0, highY)) {
    Text(out, 8, y(tick) + 4, Figure(tick, "%.4g") + " s", "", 10);
  }
  const size_t count = std::max<size_t>(chart.bars.size(), 1);
  const double slot = (right - left) / static_cast<double>(count);
  // Every processor's number under its bar while they fit; else every k-th.
  const size_t labelEvery = std::max<size_t>(1, static_cast<size_t>(std::ceil(24 / slot)));
  // A document that fails check is hatched as elsewhere; the WRONG processor stands out solid red.
  const std::string colour = Fill(chart.id, documents[chart.document], chart.document);
  for (size_t i = 0; i < chart.bars.size(); ++i) {
    const ReportProcessorBar& bar = chart.bars[i];
    const double x = left + slot * static_cast<double>(i);
    const double width = std::max(slot * 0.8, 1.0);
    if (bar.seconds) {
      Add(out, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\">"
               "<title>processor %lld: %.4f s%s</title></rect>\n",
          At(x + slot * 0.1), At(y(*bar.seconds)), At(width), At(bottom - y(*bar.seconds)),
          bar.wrong ? kFailed : colour.c_str(), static_cast<long long>(bar.processor),
          At(*bar.seconds), bar.wrong ? ", WRONG" : "");
    }
    if (bar.wrong) {
      Text(out, x + slot * 0.1, y(bar.seconds.value_or(0)) - 4, "WRONG", "fill=\"#cc0000\"", 10);
    } else if (!bar.seconds) {
      Text(out, x + slot * 0.1, bottom - 4, "-", "fill=\"#888888\"", 10);
    }
    if (i % labelEvery == 0) {
      Text(out, x + slot * 0.1, bottom + 14, std::to_string(bar.processor), "", 10);
    }
  }
  if (chart.median) {
    Add(out, "<line x1=\"%.0f\" y1=\"%.1f\" x2=\"%.0f\" y2=\"%.1f\" stroke=\"#000000\" "
             "stroke-dasharray=\"6 3\"/>\n",
        left, y(*chart.median), right, y(*chart.median));
    Text(out, right - 150, y(*chart.median) - 4, "median " + Figure(chart.median, "%.4f") + " s");
  }
  Text(out, left, bottom + 32, "logical processor");
  if (failed) Text(out, left + 200, bottom + 32, "check FAILED: not a clean result", "fill=\"#cc0000\"");
  return out + "</svg>\n";
}

std::vector<std::pair<std::string, std::string>> ReportSvgFiles(const ReportModel& model) {
  std::vector<std::pair<std::string, std::string>> files;
  const auto add = [&](const std::string& id, const std::string& svg) {
    files.emplace_back(id + ".svg", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + svg);
  };
  if (!model.scores.groups.empty()) add(model.scores.id, BarChartSvg(model.scores, model.documents));
  for (const ReportBarChart& chart : model.benchmarkCharts) add(chart.id, BarChartSvg(chart, model.documents));
  for (const ReportSpreadChart& chart : model.spreads) add(chart.id, SpreadChartSvg(chart, model.documents));
  for (const ReportLineChart& chart : model.timelines) add(chart.id, LineChartSvg(chart, model.documents));
  for (const ReportLineChart& chart : model.scaling) add(chart.id, LineChartSvg(chart, model.documents));
  for (const ReportProcessorChart& chart : model.processors) {
    add(chart.id, ProcessorChartSvg(chart, model.documents));
  }
  return files;
}

}  // namespace tallyforge

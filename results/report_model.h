#pragma once
// What the report of several result documents shows, as numbers: the documents' facts and the
// charts drawn from them, the first document being the baseline. The writers (SVG, HTML) only
// draw what this holds, so the figures can be checked without reading a picture.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document_check.h"
#include "result_document.h"

namespace tallyforge {

// Beyond this many documents the per-benchmark charts would hold too many bars to read: the
// ranking (one bar per document) and the sorted table carry the comparison.
inline constexpr size_t kMostSideBySide = 8;
// The most points of one line and the most lines (passes) of one timeline, the most runs shown
// as points in one distribution: enough to see the shape, bounded whatever a document holds.
inline constexpr size_t kMostLinePoints = 300;
inline constexpr size_t kMostPasses = 12;
inline constexpr size_t kMostRunPoints = 200;
// The most bars of one per-processor chart (--each-core): more processors are thinned evenly.
inline constexpr size_t kMostProcessorBars = 256;

// One complete pass of a benchmark: (progress point k, seconds at it), the end last.
struct ReportPass {
  int pass = 0;
  std::vector<std::pair<double, double>> points;
};

// One benchmark of one document. Times are seconds; none where the document has none.
struct ReportBenchmark {
  std::string name;  // "B1" ... "B9"
  std::optional<double> median, min, max;  // the document's statistics of its complete runs
  std::optional<double> reference;         // the reference time, from the document's own cell
  std::vector<double> runs;                // each complete run's time, in pass order (thinned)
  std::string noise;                       // the document's verdict: "stable", "noisy", "n/a"
  std::vector<std::string> noiseCauses;
  std::string slowdown;                    // "steady", "slowing", "n/a"
  std::vector<ReportPass> passes;          // its complete passes (thinned)
};

// One processor of --each-core in a benchmark's per-processor chart.
struct ReportProcessorBar {
  int64_t processor = 0;
  std::string kind;
  std::optional<double> seconds;  // the median of its complete runs; none when it has none
  bool wrong = false;             // a run of the benchmark on it was WRONG
};

// A benchmark's time on each processor of --each-core, the median processor's as a line.
struct ReportProcessorChart {
  std::string id, title, benchmark;
  size_t document = 0;
  std::optional<double> median;  // of the bars' times
  std::vector<ReportProcessorBar> bars;
};

struct ReportScaling {
  int copies = 0;
  std::optional<double> throughput;  // none unless every copy of the count completed
};

// One document as the report shows it. Texts are as the document holds them (the writers
// escape them).
struct ReportDocument {
  std::string name;  // the file as named on the command line
  std::string machine, cpuModel, os, build, time, mode;
  int64_t logicalCores = 0, repeat = 1;
  bool clean = false;        // check found nothing wrong
  std::string checkSummary;  // check's last line
  std::string arithmetic;    // what its times were measured with (ArithmeticOf)
  bool arithmeticKnown = false;
  std::optional<double> score;  // the median total score
  std::vector<ReportBenchmark> benchmarks;  // B1 to B9, those it has
  std::vector<ReportScaling> scaling;       // --jobs: per copy count
  std::vector<ReportProcessorChart> processors;  // --each-core: per benchmark
};

struct ReportBar {
  size_t document = 0;
  std::optional<double> value;
  std::optional<double> vsBaseline;  // value / the baseline document's, where both are known
};

struct ReportBarGroup {
  std::string label;
  std::vector<ReportBar> bars;
};

// Horizontal bars in groups; each group scaled on its own unless sharedScale.
struct ReportBarChart {
  std::string id, title, unit;
  bool sharedScale = false;
  std::vector<ReportBarGroup> groups;
};

// A benchmark's runs per document: min to max, the median, every run as a point.
struct ReportSpread {
  size_t document = 0;
  double min = 0, median = 0, max = 0;
  std::vector<double> runs;
  std::string noise;
};

struct ReportSpreadChart {
  std::string id, title;
  std::vector<ReportSpread> rows;
};

struct ReportLine {
  std::string label;
  std::vector<std::pair<double, double>> points;
  bool ideal = false;  // a reference line, drawn dashed
};

struct ReportLineChart {
  std::string id, title, xLabel, yLabel;
  std::optional<size_t> document;  // the document it belongs to
  std::vector<ReportLine> lines;
};

struct ReportModel {
  std::vector<ReportDocument> documents;  // in the order given; the first is the baseline
  std::vector<size_t> ranking;            // best score first; unscored ones after, as given
  std::vector<std::string> benchmarks;    // the names any document has, B1 to B9
  // Every document measured with one known arithmetic; when not, the charts that set documents
  // side by side say so in their titles.
  bool oneArithmetic = true;
  ReportBarChart scores;  // one bar per document, in ranking order; no group when none scored
  std::vector<ReportBarChart> benchmarkCharts;  // times and speed against the reference
  std::vector<ReportSpreadChart> spreads;       // per benchmark that some document repeated
  std::vector<ReportLineChart> timelines;       // per document and benchmark with progress points
  std::vector<ReportLineChart> scaling;         // per document with --jobs
  std::vector<ReportProcessorChart> processors;  // per document and benchmark with --each-core
};

// The facts of one document: its check's findings, statistics and verdicts
// as the document records them, its runs' times and progress points.
ReportDocument DescribeForReport(const std::string& name, const ResultDocument& document,
                                 const ExpectedAnswers& answers);

// The charts over the documents.
ReportModel BuildReport(std::vector<ReportDocument> documents);

// Every index of count when it is at most most, else most of them spread evenly, first and last
// included, in order.
std::vector<size_t> ThinnedIndices(size_t count, size_t most);

}  // namespace tallyforge

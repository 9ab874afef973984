#include "report_model.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "cell_value.h"
#include "run_statistics.h"

namespace tallyforge {
namespace {

// A figure only where it is a real number: a ratio of two huge figures is infinite.
std::optional<double> Finite(std::optional<double> value) {
  if (value && std::isfinite(*value)) return value;
  return std::nullopt;
}

// 1 to 9 for "B1" to "B9", 0 for any other name.
int BenchmarkIndex(const std::string& name) {
  if (name.size() != 2 || name[0] != 'B' || name[1] < '1' || name[1] > '9') return 0;
  return name[1] - '0';
}

template <typename T>
std::vector<T> Thinned(const std::vector<T>& values, size_t most) {
  std::vector<T> kept;
  for (size_t i : ThinnedIndices(values.size(), most)) kept.push_back(values[i]);
  return kept;
}

// The benchmarks' statistics and verdicts, then their runs and passes.
void ReadBenchmarks(const ResultDocument& document, ReportDocument& report) {
  const std::vector<std::string>& referenceTimes = document.reference.times;
  std::vector<std::optional<ReportBenchmark>> found(10);
  for (const DocumentBenchmark& entry : document.benchmarks) {
    const int index = BenchmarkIndex(entry.benchmark);
    if (index == 0 || found[index]) continue;
    ReportBenchmark& b = found[index].emplace();
    b.name = entry.benchmark;
    if (const auto& seconds = entry.seconds) {
      b.median = Finite(seconds->median);
      b.min = Finite(seconds->min);
      b.max = Finite(seconds->max);
    }
    if (static_cast<size_t>(index) <= referenceTimes.size()) {
      const double reference = CellValue(referenceTimes[index - 1]);
      if (std::isfinite(reference) && reference > 0) b.reference = reference;
    }
    b.noise = entry.noise.verdict;
    b.noiseCauses = entry.noise.causes;
    b.slowdown = entry.slowdown.verdict;
  }
  std::vector<std::vector<ReportPass>> passes(10);
  std::vector<std::vector<double>> runs(10);
  for (const DocumentRun& run : document.runs) {
    const int index = BenchmarkIndex(run.benchmark);
    if (index == 0 || !found[index] || !run.ran || run.stopped || !std::isfinite(run.seconds)) {
      continue;
    }
    runs[index].push_back(run.seconds);
    // The progress points, then the end: point k is k units of work (thinned, k kept).
    const std::vector<double>& progress = run.progressSeconds;
    ReportPass pass{static_cast<int>(std::clamp<int64_t>(run.pass, 0, 1 << 30)), {}};
    for (size_t k : ThinnedIndices(progress.size() + 1, kMostLinePoints)) {
      const double seconds = k < progress.size() ? progress[k] : run.seconds;
      if (std::isfinite(seconds)) pass.points.emplace_back(static_cast<double>(k + 1), seconds);
    }
    passes[index].push_back(std::move(pass));
  }
  for (int index = 1; index <= 9; ++index) {
    if (!found[index]) continue;
    ReportBenchmark& b = *found[index];
    b.runs = Thinned(runs[index], kMostRunPoints);
    b.passes = Thinned(passes[index], kMostPasses);
    report.benchmarks.push_back(std::move(b));
  }
}

std::optional<double> Ratio(std::optional<double> value, std::optional<double> base) {
  if (!value || !base || *base == 0) return std::nullopt;
  return Finite(*value / *base);
}

const ReportBenchmark* Find(const ReportDocument& document, const std::string& name) {
  for (const ReportBenchmark& b : document.benchmarks) {
    if (b.name == name) return &b;
  }
  return nullptr;
}

// The names of the benchmarks any document has, B1 to B9.
std::vector<std::string> BenchmarkNames(const std::vector<ReportDocument>& documents) {
  std::vector<std::string> names;
  for (char digit = '1'; digit <= '9'; ++digit) {
    const std::string name = {'B', digit};
    if (std::any_of(documents.begin(), documents.end(),
                    [&](const ReportDocument& d) { return Find(d, name) != nullptr; })) {
      names.push_back(name);
    }
  }
  return names;
}

// One group per benchmark, one bar per document: figure picks the value of a benchmark.
template <typename Figure>
ReportBarChart PerBenchmark(const std::vector<ReportDocument>& documents, Figure figure) {
  ReportBarChart chart;
  for (const std::string& name : BenchmarkNames(documents)) {
    ReportBarGroup& group = chart.groups.emplace_back();
    group.label = name;
    const ReportBenchmark* base = Find(documents[0], name);
    const std::optional<double> baseValue = base ? figure(*base) : std::nullopt;
    for (size_t i = 0; i < documents.size(); ++i) {
      const ReportBenchmark* b = Find(documents[i], name);
      const std::optional<double> value = b ? figure(*b) : std::nullopt;
      group.bars.push_back({i, value, i == 0 ? std::nullopt : Ratio(value, baseValue)});
    }
  }
  return chart;
}

void AddSpreads(ReportModel& model) {
  for (const std::string& name : BenchmarkNames(model.documents)) {
    ReportSpreadChart chart;
    chart.id = "spread-" + name;
    chart.title = name + ": every run, min to max, the median marked";
    for (size_t i = 0; i < model.documents.size(); ++i) {
      const ReportBenchmark* b = Find(model.documents[i], name);
      if (b == nullptr || b->runs.size() < 2 || !b->min || !b->median || !b->max) continue;
      chart.rows.push_back({i, *b->min, *b->median, *b->max, b->runs, b->noise});
    }
    if (!chart.rows.empty()) model.spreads.push_back(std::move(chart));
  }
}

void AddTimelines(ReportModel& model) {
  for (size_t i = 0; i < model.documents.size(); ++i) {
    for (const ReportBenchmark& b : model.documents[i].benchmarks) {
      // Only the end: no progress point to draw a course through.
      if (std::none_of(b.passes.begin(), b.passes.end(),
                       [](const ReportPass& pass) { return pass.points.size() > 1; })) {
        continue;
      }
      ReportLineChart chart;
      chart.id = "timeline-" + std::to_string(i + 1) + "-" + b.name;
      chart.title = b.name + ": time at each progress point, per pass (" + b.slowdown + ")";
      chart.xLabel = "progress point (equal work each)";
      chart.yLabel = "seconds";
      chart.document = i;
      for (const ReportPass& pass : b.passes) {
        chart.lines.push_back({"pass " + std::to_string(pass.pass), pass.points, false});
      }
      model.timelines.push_back(std::move(chart));
    }
  }
}

// --each-core: per benchmark, each listed processor's median time and whether it was WRONG there.
void ReadProcessors(const ResultDocument& document, ReportDocument& report) {
  if (!document.eachCore) return;
  const std::vector<DocumentProcessor>& listed = document.eachCore->processors;
  for (const std::string& name : BenchmarkNames({report})) {
    std::map<int64_t, std::pair<std::vector<double>, bool>> byProcessor;  // times, wrong
    for (const DocumentRun& run : document.runs) {
      if (run.benchmark != name || !run.processor) continue;
      auto& [times, wrong] = byProcessor[*run.processor];
      if (run.ran && !run.stopped && std::isfinite(run.seconds)) times.push_back(run.seconds);
      wrong |= run.verification && run.verification->status == CheckStatus::kWrong;
    }
    ReportProcessorChart chart;
    chart.benchmark = name;
    chart.title = name + ": time on each processor (the median processor's as a line; WRONG red)";
    std::vector<double> medians;
    for (size_t i : ThinnedIndices(listed.size(), kMostProcessorBars)) {
      ReportProcessorBar bar{listed[i].processor, listed[i].kind, std::nullopt, false};
      if (const auto found = byProcessor.find(bar.processor); found != byProcessor.end()) {
        bar.seconds = Median(found->second.first);
        bar.wrong = found->second.second;
      }
      if (bar.seconds) medians.push_back(*bar.seconds);
      chart.bars.push_back(std::move(bar));
    }
    chart.median = Median(medians);
    report.processors.push_back(std::move(chart));
  }
}

void AddProcessorCharts(ReportModel& model) {
  for (size_t i = 0; i < model.documents.size(); ++i) {
    for (ReportProcessorChart chart : model.documents[i].processors) {
      chart.document = i;
      chart.id = "processors-" + std::to_string(i + 1) + "-" + chart.benchmark;
      model.processors.push_back(std::move(chart));
    }
  }
}

void AddScaling(ReportModel& model) {
  for (size_t i = 0; i < model.documents.size(); ++i) {
    const std::vector<ReportScaling>& counts = model.documents[i].scaling;
    if (counts.empty()) continue;
    ReportLineChart chart;
    chart.id = "scaling-" + std::to_string(i + 1);
    chart.title = "Throughput against copies at once (one copy alone = 1)";
    chart.xLabel = "copies";
    chart.yLabel = "throughput";
    chart.document = i;
    ReportLine measured{"measured", {}, false};
    int most = 1;
    for (const ReportScaling& count : counts) {
      most = std::max(most, count.copies);
      if (count.throughput) measured.points.emplace_back(count.copies, *count.throughput);
    }
    chart.lines.push_back({"ideal", {{1, 1}, {most, most}}, true});
    chart.lines.push_back(std::move(measured));
    model.scaling.push_back(std::move(chart));
  }
}

}  // namespace

std::vector<size_t> ThinnedIndices(size_t count, size_t most) {
  std::vector<size_t> indices;
  if (count <= most) {
    for (size_t i = 0; i < count; ++i) indices.push_back(i);
  } else if (most == 1) {
    indices.push_back(0);
  } else {
    for (size_t k = 0; k < most; ++k) indices.push_back(k * (count - 1) / (most - 1));
  }
  return indices;
}

ReportDocument DescribeForReport(const std::string& name, const ResultDocument& document,
                                 const ExpectedAnswers& answers) {
  ReportDocument report;
  report.name = name;
  const DocumentMachine& machine = document.machine;
  report.machine = machine.description;
  report.cpuModel = machine.cpuModel;
  report.os = machine.os;
  report.logicalCores = machine.logicalCores;
  const DocumentProgram& program = document.program;
  report.build = program.version + " (" + program.commit + ", " + program.compiler + ")";
  report.time = document.time;
  report.mode = document.mode;
  report.repeat = document.repeat;
  const DocumentFindings findings = CheckDocument(document, answers);
  report.clean = findings.allWell();
  report.checkSummary = CheckSummaryText(findings);
  report.arithmetic = ArithmeticOf(document);
  report.arithmeticKnown = document.remainder.has_value();
  if (const auto& statistics = document.totalScore.statistics) report.score = Finite(statistics->median);
  ReadBenchmarks(document, report);
  ReadProcessors(document, report);
  if (document.jobs) {
    for (const DocumentJobCount& count : *document.jobs) {
      if (count.copies < 1 || count.copies > 1000000) continue;  // not a count a run could make
      report.scaling.push_back({static_cast<int>(count.copies), Finite(count.throughput)});
    }
  }
  return report;
}

ReportModel BuildReport(std::vector<ReportDocument> documents) {
  ReportModel model;
  model.documents = std::move(documents);
  const std::vector<ReportDocument>& docs = model.documents;
  if (docs.empty()) return model;
  model.benchmarks = BenchmarkNames(docs);
  model.oneArithmetic = std::all_of(docs.begin(), docs.end(), [&](const ReportDocument& d) {
    return d.arithmeticKnown && d.arithmetic == docs[0].arithmetic;
  });

  for (size_t i = 0; i < docs.size(); ++i) model.ranking.push_back(i);
  std::stable_sort(model.ranking.begin(), model.ranking.end(), [&](size_t a, size_t b) {
    if (!docs[a].score || !docs[b].score) return docs[a].score.has_value() && !docs[b].score;
    return *docs[a].score > *docs[b].score;
  });
  model.scores = {"scores", "Total score (median over passes), best first", "", true, {}};
  if (std::any_of(docs.begin(), docs.end(), [](const ReportDocument& d) { return d.score; })) {
    ReportBarGroup& all = model.scores.groups.emplace_back();
    all.label = "TOTAL SCORE";
    for (size_t i : model.ranking) {
      all.bars.push_back(
          {i, docs[i].score, i == 0 ? std::nullopt : Ratio(docs[i].score, docs[0].score)});
    }
  }

  if (docs.size() <= kMostSideBySide) {
    ReportBarChart times = PerBenchmark(docs, [](const ReportBenchmark& b) { return b.median; });
    times.id = "times";
    times.title = "Time per benchmark (median seconds; ratio to the baseline, below 1 is faster)";
    times.unit = "s";
    model.benchmarkCharts.push_back(std::move(times));
    ReportBarChart speed = PerBenchmark(docs, [](const ReportBenchmark& b) {
      const std::optional<double> ratio = Ratio(b.reference, b.median);
      return ratio ? std::optional<double>(*ratio * 100) : std::nullopt;
    });
    speed.id = "reference";
    speed.title = "Speed against the reference time (reference / median time, 100% = as fast)";
    speed.unit = "%";
    speed.sharedScale = true;
    model.benchmarkCharts.push_back(std::move(speed));
  }
  AddSpreads(model);
  AddTimelines(model);
  AddScaling(model);
  AddProcessorCharts(model);
  if (!model.oneArithmetic) {
    const std::string warning = " - not all measured with the same arithmetic";
    model.scores.title += warning;
    for (ReportBarChart& chart : model.benchmarkCharts) chart.title += warning;
    for (ReportSpreadChart& chart : model.spreads) chart.title += warning;
  }
  return model;
}

}  // namespace tallyforge

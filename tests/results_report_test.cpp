// The report: the figures each chart carries from known documents, and pages that stay safe and
// bounded whatever the documents hold.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

#include "report_html.h"
#include "report_model.h"
#include "report_svg.h"
#include "results_support.h"
#include "safe_text.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using nlohmann::json;
using namespace testing;

const ExpectedAnswers kAnswers = {{NumbersFileName(5), "00ff"}, {kFactorsFileName, "00ff"}};

ReportDocument Described(const std::string& name, const json& document) {
  return DescribeForReport(name, testing::Reread(document), kAnswers);
}

// A: B1 three times (0.8, 1.0, 0.9 s, progress points at 0.25 and 0.5 s), B9 once (4 s), scores
// 1000, 990, 1010. B: B1 0.5 s, B9 3 s, score 1500, --jobs 1..4 without its copies' records,
// no arithmetic recorded, and its machine edited after writing: it fails check.
std::vector<ReportDocument> TwoKnownDocuments() {
  DocumentContext context = Context();
  context.reference.lines = {"0.8\n", "1.7\n", "", "", "", "", "", "", "6.0\n"};
  std::vector<RecordedRun> runs;
  int pass = 0;
  for (int32_t ticks : {800, 1000, 900}) {
    runs.push_back(MadeRun(1, ticks, ++pass));
    runs.back().progressTicks = {250, 500};
  }
  runs.push_back(MadeRun(9, 4000, 1));
  const json a = Json(Document(runs, {{1, true, "1000\n"}, {2, true, "990\n"}, {3, true, "1010\n"}},
                               context));
  json b = Json(Document({MadeRun(1, 500), MadeRun(9, 3000)}, {{1, true, "1500\n"}}, context));
  b["jobs"] = json::parse(R"([
    {"copies": 1, "results": [], "throughput": 1.0, "efficiency": 1.0},
    {"copies": 2, "results": [], "throughput": 1.8, "efficiency": 0.9},
    {"copies": 4, "results": [], "throughput": null, "efficiency": null}])");
  b["machine"]["description"] = "Faster CPU";
  b.erase("remainder");  // as an older document, measured with its C library's fmod
  return {Described("a.json", a), Described("b.json", b)};
}

void ExpectBars(const ReportBarGroup& group,
                const std::vector<std::tuple<size_t, std::optional<double>, std::optional<double>>>& expected) {
  ASSERT_EQ(group.bars.size(), expected.size()) << group.label;
  for (size_t i = 0; i < expected.size(); ++i) {
    const auto& [document, value, vsBaseline] = expected[i];
    const ReportBar& bar = group.bars[i];
    SCOPED_TRACE(group.label + " bar " + std::to_string(i));
    EXPECT_EQ(bar.document, document);
    ASSERT_EQ(bar.value.has_value(), value.has_value());
    if (value) { EXPECT_NEAR(*bar.value, *value, 1e-4); }
    ASSERT_EQ(bar.vsBaseline.has_value(), vsBaseline.has_value());
    if (vsBaseline) { EXPECT_NEAR(*bar.vsBaseline, *vsBaseline, 1e-4); }
  }
}

TEST(ReportModel, FiguresOfEveryChartFromTwoKnownDocuments) {
  const ReportModel model = BuildReport(TwoKnownDocuments());
  ASSERT_EQ(model.documents.size(), 2u);
  const ReportDocument& a = model.documents[0];
  EXPECT_TRUE(a.clean) << a.checkSummary;
  EXPECT_FALSE(model.documents[1].clean);
  EXPECT_EQ(model.documents[1].checkSummary, "check: FAILED: 3 copies incomplete, figures edited");
  EXPECT_EQ(model.documents[1].arithmetic, "unknown (older document)");
  EXPECT_FALSE(model.oneArithmetic);
  EXPECT_TRUE(BuildReport({a, a}).oneArithmetic);
  EXPECT_EQ(model.documents[1].machine, "Faster CPU");
  EXPECT_EQ(a.machine, "Test CPU, 2 cores (1 physical), 1.0 GiB, Test OS, Linux 6.1.0");
  EXPECT_EQ(model.ranking, (std::vector<size_t>{1, 0}));
  EXPECT_EQ(model.benchmarks, (std::vector<std::string>{"B1", "B9"}));

  ExpectBars(model.scores.groups.at(0), {{1, 1500, 1.5}, {0, 1000, std::nullopt}});
  ASSERT_EQ(model.benchmarkCharts.size(), 2u);
  const ReportBarChart& times = model.benchmarkCharts[0];
  EXPECT_EQ(times.unit, "s");
  EXPECT_TRUE(times.title.ends_with(" - not all measured with the same arithmetic")) << times.title;
  ExpectBars(times.groups.at(0), {{0, 0.9, std::nullopt}, {1, 0.5, 0.5556}});
  ExpectBars(times.groups.at(1), {{0, 4.0, std::nullopt}, {1, 3.0, 0.75}});
  const ReportBarChart& speed = model.benchmarkCharts[1];  // reference / median, in percent
  EXPECT_TRUE(speed.sharedScale);
  ExpectBars(speed.groups.at(0), {{0, 88.8889, std::nullopt}, {1, 160, 1.8}});
  ExpectBars(speed.groups.at(1), {{0, 150, std::nullopt}, {1, 200, 1.3333}});

  ASSERT_EQ(model.spreads.size(), 1u);  // only A's B1 ran more than once
  ASSERT_EQ(model.spreads[0].rows.size(), 1u);
  const ReportSpread& spread = model.spreads[0].rows[0];
  EXPECT_EQ(model.spreads[0].id, "spread-B1");
  EXPECT_NEAR(spread.min, 0.8, 1e-6);
  EXPECT_NEAR(spread.median, 0.9, 1e-6);
  EXPECT_NEAR(spread.max, 1.0, 1e-6);
  ASSERT_EQ(spread.runs.size(), 3u);
  EXPECT_NEAR(spread.runs[1], 1.0, 1e-6);  // in pass order
  EXPECT_EQ(spread.noise, "noisy");

  ASSERT_EQ(model.timelines.size(), 1u);  // B9 and B's B1 have no progress point
  const ReportLineChart& timeline = model.timelines[0];
  EXPECT_EQ(timeline.id, "timeline-1-B1");
  ASSERT_EQ(timeline.lines.size(), 3u);
  EXPECT_EQ(timeline.lines[2].label, "pass 3");
  ASSERT_EQ(timeline.lines[1].points.size(), 3u);
  EXPECT_EQ(timeline.lines[1].points[0].first, 1);
  EXPECT_NEAR(timeline.lines[1].points[0].second, 0.25, 1e-6);
  EXPECT_EQ(timeline.lines[1].points[2].first, 3);
  EXPECT_NEAR(timeline.lines[1].points[2].second, 1.0, 1e-6);

  ASSERT_EQ(model.scaling.size(), 1u);
  const ReportLineChart& scaling = model.scaling[0];
  EXPECT_EQ(scaling.document, 1u);
  ASSERT_EQ(scaling.lines.size(), 2u);
  EXPECT_TRUE(scaling.lines[0].ideal);
  EXPECT_EQ(scaling.lines[0].points, (std::vector<std::pair<double, double>>{{1, 1}, {4, 4}}));
  EXPECT_EQ(scaling.lines[1].points, (std::vector<std::pair<double, double>>{{1, 1}, {2, 1.8}}));
}

TEST(ReportModel, ManyDocumentsGetOneBarEachInScoreOrderAndNoPerBenchmarkCharts) {
  std::vector<ReportDocument> documents(kMostSideBySide + 1);
  for (size_t i = 0; i < documents.size(); ++i) {
    documents[i].name = "host" + std::to_string(i) + ".json";
    if (i != 3) documents[i].score = 1000.0 + static_cast<double>(i % 4) * 10;  // 3: no score
  }
  const ReportModel model = BuildReport(documents);
  EXPECT_EQ(model.ranking, (std::vector<size_t>{7, 2, 6, 1, 5, 0, 4, 8, 3}));
  EXPECT_EQ(model.scores.groups.at(0).bars.size(), kMostSideBySide + 1);
  EXPECT_TRUE(model.benchmarkCharts.empty());
  EXPECT_TRUE(BuildReport(std::vector<ReportDocument>(2)).scores.groups.empty());  // none scored

  const std::tuple<size_t, size_t, std::vector<size_t>> thinning[] = {
      {3, 5, {0, 1, 2}}, {10, 4, {0, 3, 6, 9}}, {7, 1, {0}}, {0, 4, {}}};
  for (const auto& [count, most, expected] : thinning) {
    EXPECT_EQ(ThinnedIndices(count, most), expected) << count << " of " << most;
  }
}

// Every number written as a coordinate or size in the markup.
std::vector<double> Coordinates(const std::string& markup) {
  std::vector<double> numbers;
  static const std::regex attribute(R"re(\b(?:x|y|x1|x2|y1|y2|cx|cy|width|height)="([^"]*)")re");
  static const std::regex point(R"re(points="([^"]*)")re");
  for (std::sregex_iterator it(markup.begin(), markup.end(), attribute), end; it != end; ++it) {
    numbers.push_back(std::stod((*it)[1]));
  }
  for (std::sregex_iterator it(markup.begin(), markup.end(), point), end; it != end; ++it) {
    std::string list = (*it)[1];
    for (char& c : list) c = c == ',' ? ' ' : c;
    std::istringstream in(list);
    for (double v; in >> v;) numbers.push_back(v);
  }
  return numbers;
}

TEST(ReportPage, HostileTextsAndFiguresNeverReachThePageRawAndFailedDocumentsAreMarked) {
  DocumentContext context = Context();
  context.machine.cpuModel = "<script>alert(1)</script>&\x01\xff\"'" + std::string(5000, 'x');
  std::vector<RecordedRun> runs;
  for (int pass = 1; pass <= 20; ++pass) {  // more passes and points than a chart draws
    runs.push_back(MadeRun(1, 900 + pass, pass));
    for (int32_t k = 1; k <= 1000; ++k) runs.back().progressTicks.push_back(k / 2);
  }
  json hostile = Json(Document(runs, {{1, true, "1e300\n"}}, context));
  hostile["runs"][0]["progress_seconds"][5] = 1e308;
  hostile["runs"][1]["seconds"] = -1e308;
  hostile["benchmarks"][0]["noise"]["causes"] = {"</svg><img src=x onerror=alert(1)>"};
  hostile["benchmarks"][0]["slowdown"]["verdict"] = "\xe2\x80\xae" "steady";  // direction override
  std::vector<ReportDocument> documents = TwoKnownDocuments();
  documents.push_back(Described("h<i>.json\x1b[2J", hostile));
  const ReportModel model = BuildReport(documents);

  ASSERT_EQ(model.timelines.size(), 2u);
  const ReportLineChart& bounded = model.timelines[1];
  EXPECT_EQ(bounded.lines.size(), kMostPasses);
  EXPECT_EQ(bounded.lines.front().label, "pass 1");
  EXPECT_EQ(bounded.lines.back().label, "pass 20");
  EXPECT_EQ(bounded.lines[0].points.size(), kMostLinePoints);
  EXPECT_EQ(bounded.lines[0].points.back().first, 1001);  // the end is kept

  std::string all = ReportHtml(model);
  for (const auto& [name, svg] : ReportSvgFiles(model)) all += svg;
  EXPECT_EQ(ValidUtf8(all), all);
  for (const char* raw : {"<script", "<img", "<i>", "\x1b", "\x01", "\xe2\x80\xae", "inf", "nan"}) {
    EXPECT_FALSE(Has(all, raw)) << raw;
  }
  ExpectHas(all, {"&lt;script&gt;alert(1)&lt;/script&gt;&amp;", "&quot;&#39;xxx", "h&lt;i&gt;.json",
                  "&lt;/svg&gt;&lt;img src=x"});
  EXPECT_FALSE(Has(all, std::string(300, 'x')));  // long texts are cut
  for (double number : Coordinates(all)) EXPECT_LE(std::fabs(number), 100000) << number;

  // The hostile document scores highest: first in the table, and marked there.
  ExpectHas(ReportHtml(model),
            {"Content-Security-Policy\" content=\"default-src 'none'", "#2 b.json check FAILED",
             "These documents were not all measured with the same arithmetic",
             "fill=\"url(#scores-failed)\"",
             "<tr class=\"failed\"><td class=\"n\">1</td><td>#3 h&lt;i&gt;.json"});
}

}  // namespace
}  // namespace tallyforge

// The runner's result documents: their format, their figures and reading them back.
#include "result_document.h"

#include <gtest/gtest.h>

#include "calibrate.h"
#include "reference_machine.h"
#include "result_check.h"
#include "run_recorder.h"
#include "sha256.h"
#include "test_support.h"

namespace tallyforge::cli {
namespace {

using nlohmann::json;
using tallyforge::testing::FakeHost;
using tallyforge::testing::ScratchDir;

RecordedRun MadeRun(int bench, int32_t ticks, int pass = 1) {
  RecordedRun run;
  run.pass = pass;
  run.outcome.bench = bench;
  run.outcome.ran = true;
  run.outcome.ticks = ticks;
  run.outcome.found = 74521;
  run.yourTime = TimeText(TicksToSeconds(ticks));
  run.refTime = "0.8\n";
  run.percent = PercentCellText(run.refTime, ticks);
  if (bench != 8) {
    run.outcome.file = "/somewhere/" + (bench == 9 ? std::string(kFactorsFileName)
                                                   : NumbersFileName(5));
    run.fileSha256 = "00ff";
  }
  return run;
}

DocumentContext Context() {
  DocumentContext context;
  context.time = "2026-12-07T09:40:00Z";
  context.arguments = {"B1", "B8"};
  context.machine = {"Test CPU", 2, 1, 1073741824, "Test OS", "6.1.0", "x86_64"};
  context.referencePath = "/work/Reference.txt";
  context.reference.status = ReferenceStatus::kRead;
  context.reference.lines = {"0.8\n", "1.7\n"};
  return context;
}

TEST(ResultDocument, GoldenOutputOfTwoRuns) {
  RecordedRun b1 = MadeRun(1, 800);
  b1.progressSeconds = {0.25, 0.5};
  const RecordedRun b8 = MadeRun(8, 0);
  json document = BuildDocument(Context(), {b1, b8}, {});
  EXPECT_EQ(document["program"]["name"], "tallyforge-cli");
  EXPECT_EQ(document["integrity"]["figures_sha256"].get<std::string>().size(), 64u);
  document.erase("program");  // version and commit change with every build
  document.erase("integrity");
  EXPECT_EQ(document.dump(), R"({"arguments":["B1","B8"],)"
    R"("benchmarks":[{"benchmark":"B1","noise":{"causes":[],"verdict":"n/a"},)"
    R"("seconds":{"ci95":null,"count":1,"max":0.800000037997961,"mean":0.800000037997961,)"
    R"("median":0.800000037997961,"min":0.800000037997961,"spread":null,"stddev":null},)"
    R"("slowdown":{"verdict":"n/a","worst_pass":0,"worst_ratio":1.0}},)"
    R"({"benchmark":"B8","noise":{"causes":[],"verdict":"n/a"},)"
    R"("seconds":{"ci95":null,"count":1,"max":0.0,"mean":0.0,"median":0.0,"min":0.0,)"
    R"("spread":null,"stddev":null},)"
    R"("slowdown":{"verdict":"n/a","worst_pass":0,"worst_ratio":1.0}}],"jobs":null,)"
    R"("machine":{"architecture":"x86_64","cpu_model":"Test CPU",)"
    R"("description":"Test CPU, 2 cores (1 physical), 1.0 GiB, Test OS, Linux 6.1.0",)"
    R"("kernel":"6.1.0","logical_cores":2,"memory_bytes":1073741824,"os":"Test OS",)"
    R"("physical_cores":1},"mode":"benchmarks",)"
    R"("reference":{"file":"/work/Reference.txt","machine":null,"status":"read",)"
    R"("times":["0.8","1.7","","","","","","",""]},"repeat":1,)"
    R"("runs":[{"benchmark":"B1","cells":{"percent":"099%","reference_time":"0.8",)"
    R"("your_time":"0.8000"},"file_error":0,"found":74521,)"
    R"("output_file":"Numbers_0000000000005.txt","output_sha256":"00ff","pass":1,"percent":99,)"
    R"("progress_seconds":[0.25,0.5],"ran":true,"seconds":0.800000037997961,"stopped":false,)"
    R"("ticks":800,"verification":null},)"
    R"({"benchmark":"B8","cells":{"percent":"n/a","reference_time":"0.8","your_time":"0.0000"},)"
    R"("file_error":0,"found":74521,"output_file":null,"output_sha256":null,"pass":1,)"
    R"("percent":null,"progress_seconds":[],"ran":true,"seconds":0.0,"stopped":false,)"
    R"("ticks":0,"verification":null}],)"
    R"("schema":"tallyforge-result","schema_version":1,"time":"2026-12-07T09:40:00Z",)"
    R"("total_score":{"passes":[],"statistics":null},"workload":"standard"})");
}

TEST(ResultDocument, ScoresOfEveryPassAndTheirStatistics) {
  const json document = BuildDocument(
      Context(), {}, {{1, true, "1000\n"}, {2, true, "990\n"}, {3, false, "990\n"}});
  const json& total = document["total_score"];
  ASSERT_EQ(total["passes"].size(), 3u);
  EXPECT_EQ(total["passes"][0]["value"], 1000.0);
  EXPECT_EQ(total["passes"][0]["text"], "1000");
  EXPECT_TRUE(total["passes"][2]["value"].is_null());  // stopped: no score
  EXPECT_EQ(total["statistics"]["count"], 2);
  EXPECT_EQ(total["statistics"]["median"], 995.0);
  EXPECT_EQ(ScoreValue("n/a"), std::nullopt);
}

TEST(ResultCheck, UnchangedDocumentWithRightChecksumsPasses) {
  const json document = BuildDocument(Context(), {MadeRun(1, 800), MadeRun(8, 900)}, {});
  const ExpectedAnswers answers = {{NumbersFileName(5), "00ff"}};
  std::string output;
  {
    ScratchDir dir;
    std::FILE* out = std::fopen((dir / "out").c_str(), "w");
    EXPECT_EQ(CheckDocument(json::parse(document.dump(2)), answers, out), 0);
    std::fclose(out);
    output = tallyforge::testing::ReadFile(dir / "out");
  }
  EXPECT_EQ(output, "figures: unchanged since the document was written\n"
                    "B1 pass 1 Numbers_0000000000005.txt: matches the expected answer\n");
}

TEST(ResultCheck, EditedFigureOrWrongOutputChecksumFails) {
  ScratchDir dir;
  const auto check = [&](const json& document, const ExpectedAnswers& answers) {
    std::FILE* out = std::fopen((dir / "out").c_str(), "w");
    const int status = CheckDocument(document, answers, out);
    std::fclose(out);
    return std::make_pair(status, tallyforge::testing::ReadFile(dir / "out"));
  };
  json edited = BuildDocument(Context(), {MadeRun(1, 800)}, {});
  edited["runs"][0]["seconds"] = 0.4;
  auto [status, output] = check(edited, {{NumbersFileName(5), "00ff"}});
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("figures: EDITED"), std::string::npos) << output;

  const json wrongFile = BuildDocument(Context(), {MadeRun(1, 800)}, {});
  std::tie(status, output) = check(wrongFile, {{NumbersFileName(5), "abcd"}});
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("unchanged"), std::string::npos) << output;
  EXPECT_NE(output.find("DIFFERS from the expected answer"), std::string::npos) << output;
}

TEST(ResultCompare, RatioPerBenchmarkAndForTheScore) {
  DocumentContext context = Context();
  const json a = BuildDocument(context, {MadeRun(1, 1000), MadeRun(9, 4000)}, {{1, true, "1000\n"}});
  const json b = BuildDocument(context, {MadeRun(9, 3000), MadeRun(1, 500)}, {{1, true, "1500\n"}});
  ScratchDir dir;
  std::FILE* out = std::fopen((dir / "out").c_str(), "w");
  EXPECT_EQ(CompareDocuments(a, b, out), 0);
  std::fclose(out);
  const auto lines = tallyforge::testing::Lines(tallyforge::testing::ReadFile(dir / "out"));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "B1                1.0000       0.5000    0.500");
  EXPECT_EQ(lines[2], "B9                4.0000       3.0000    0.750");
  EXPECT_EQ(lines[3], "TOTAL SCORE       1000.0       1500.0    1.500");
}

// B1 over 5 to 20,000 finds 1,138 primes of its candidates: a progress point every 250, four.
Workload ProgressWorkload() {
  Workload work = tallyforge::testing::QuietWorkload();
  work.ranges[0] = {5, 20000, 250};
  return work;
}

TEST(RunRecorder, KeepsProgressTimesAndJudgesALaterSlowerPass) {
  tallyforge::testing::EnsurePrimeTable();
  ScratchDir dir;
  FakeHost inner;
  RunRecorder recorder(inner, dir.path());  // no /proc there: no machine readings
  // start, four progress points, end; pass 2 is 10% slower in every stretch.
  BenchEngine engine(recorder, dir.path(),
                     tallyforge::testing::SequenceTicks({0, 100, 200, 300, 400, 500,
                                                         1000, 1110, 1220, 1330, 1440, 1550}),
                     ProgressWorkload());
  inner.Select(1);
  for (int pass = 1; pass <= 2; ++pass) {
    recorder.BeginPass(pass);
    engine.OnStartBench();
  }
  ASSERT_EQ(recorder.runs().size(), 2u);
  EXPECT_EQ(recorder.runs()[0].progressSeconds, (std::vector<double>{0.1, 0.2, 0.3, 0.4}));
  EXPECT_EQ(recorder.runs()[1].pass, 2);
  EXPECT_EQ(recorder.runs()[1].yourTime, "0.5500");
  EXPECT_EQ(recorder.runs()[0].fileSha256,
            Sha256OfFile(dir / NumbersFileName(5)));  // the same file both passes
  const auto summaries = SummariseBenchmarks(recorder.runs(), 2);
  ASSERT_EQ(summaries.size(), 1u);
  EXPECT_EQ(summaries[0].slowdown.verdict, "slowing");
  EXPECT_EQ(summaries[0].slowdown.worstPass, 2);
  EXPECT_EQ(summaries[0].noise.verdict, "noisy");  // 0.5 s against 0.55 s
  EXPECT_TRUE(summaries[0].noise.causes.empty());
  EXPECT_EQ(inner.finished.size(), 2u);  // the front end behind still hears of every run
}

TEST(Calibrate, RunAgainstItsOwnReferenceScoresAboutOneThousand) {
  tallyforge::testing::EnsurePrimeTable();
  ScratchDir dir;
  FakeHost inner;
  RunRecorder recorder(inner, dir.path());
  std::vector<int32_t> readings;
  for (int pass = 0; pass < 2; ++pass) {
    int32_t now = 5000;
    for (int32_t d : {1234, 2345, 3456, 4567, 5678, 6789, 7891, 8912, 9123}) {
      readings.push_back(now);
      readings.push_back(now += d);
    }
  }
  BenchEngine engine(recorder, dir.path(), tallyforge::testing::SequenceTicks(readings),
                     tallyforge::testing::QuietWorkload());
  ASSERT_TRUE(engine.OnStressBench().scored);
  const auto times = CalibratedTimes(recorder.runs());
  ASSERT_TRUE(times);
  ASSERT_EQ(WriteReferenceFile(dir.path(), *times, "Test CPU"), 0);
  EXPECT_EQ(ReadReferenceMachine(dir / "Reference.txt"), "Test CPU");

  engine.ReadReferenceTimes();
  EXPECT_EQ(engine.board().m_refTime1, "1.2340\n");
  ASSERT_TRUE(engine.OnStressBench().scored);
  for (int row = 1; row <= kRowCount; ++row) {
    const std::string& percent = engine.board().percent(row);
    EXPECT_TRUE(percent == "099%" || percent == "100%") << row << ": " << percent;
  }
  const int score = std::atoi(engine.board().m_totalScore.c_str());
  EXPECT_GE(score, 999);
  EXPECT_LE(score, 1000);
}

TEST(Calibrate, NoReferenceFromAnIncompleteStressRun) {
  std::vector<RecordedRun> runs;
  for (int bench = 1; bench <= 8; ++bench) runs.push_back(MadeRun(bench, 1000));
  EXPECT_EQ(CalibratedTimes(runs), std::nullopt);  // B9 missing
  runs.push_back(MadeRun(9, 1000));
  EXPECT_TRUE(CalibratedTimes(runs));
  runs[3].outcome.stopped = true;
  EXPECT_EQ(CalibratedTimes(runs), std::nullopt);
}

}  // namespace
}  // namespace tallyforge::cli

// Result documents: the writer's exact output, the strict reader, check and compare, and the
// records they are made of.
#include "result_document.h"

#include <gtest/gtest.h>

#include "calibration.h"
#include "document_check.h"
#include "document_compare.h"
#include "document_reader.h"
#include "reference_machine.h"
#include "remainder.h"
#include "document_writer.h"
#include "run_recorder.h"
#include "results_support.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using nlohmann::json;
using namespace testing;

TEST(ResultDocument, GoldenOutputOfTwoRuns) {
  RecordedRun b1 = MadeRun(1, 800);
  b1.progressTicks = {250, 500};
  const RecordedRun b8 = MadeRun(8, 0);
  json document = Json(Document({b1, b8}, {}, Context(), false));
  EXPECT_EQ(document["program"]["name"], "tallyforge-cli");
  EXPECT_EQ(document["integrity"]["figures_sha256"].get<std::string>().size(), 64u);
  document.erase("program");  // version and commit change with every build
  document.erase("integrity");
  EXPECT_EQ(document.dump(), R"({"arguments":["B1","B8"],)"
    R"("benchmarks":[{"benchmark":"B1","noise":{"causes":[],"verdict":"n/a"},)"
    R"("seconds":{"ci95":null,"count":1,"max":0.800000037997961,"mean":0.800000037997961,)"
    R"("median":0.800000037997961,"min":0.800000037997961,"spread":null,"stddev":null},)"
    R"("slowdown":{"noise":0.0,"verdict":"n/a","worst_pass":0,"worst_ratio":1.0}},)"
    R"({"benchmark":"B8","noise":{"causes":[],"verdict":"n/a"},)"
    R"("seconds":{"ci95":null,"count":1,"max":0.0,"mean":0.0,"median":0.0,"min":0.0,)"
    R"("spread":null,"stddev":null},)"
    R"("slowdown":{"noise":0.0,"verdict":"n/a","worst_pass":0,"worst_ratio":1.0}}],)"
    R"("finished":false,"jobs":null,)"
    R"("machine":{"architecture":"x86_64","cpu_model":"Test CPU",)"
    R"("description":"Test CPU, 2 cores (1 physical), 1.0 GiB, Test OS, Linux 6.1.0",)"
    R"("kernel":"6.1.0","logical_cores":2,"memory_bytes":1073741824,"os":"Test OS",)"
    R"("physical_cores":1},"mode":"benchmarks",)"
    R"("reference":{"file":"/work/Reference.txt","machine":null,"status":"read",)"
    R"("times":["0.8","1.7","","","","","","",""]},"remainder":")" + std::string(kRemainderName) +
    R"(","repeat":1,)"
    R"("runs":[{"benchmark":"B1","cells":{"percent":"099%","reference_time":"0.8",)"
    R"("your_time":"0.8000"},"file_error":0,"found":74521,)"
    R"("output_file":"Numbers_0000000000005.txt","output_sha256":"00ff","pass":1,"percent":99,)"
    R"("progress_seconds":[0.2500000118743628,0.5000000237487257],"ran":true,)"
    R"("seconds":0.800000037997961,"stopped":false,"ticks":800,)"
    R"("verification":{"checked":74521,"partial":false,"seconds":0.0,"status":"verified",)"
    R"x("text":"verified: 74521 primes (check 0.000 s)"}},)x"
    R"({"benchmark":"B8","cells":{"percent":"n/a","reference_time":"0.8","your_time":"0.0000"},)"
    R"("file_error":0,"found":74521,"output_file":null,"output_sha256":null,"pass":1,)"
    R"("percent":null,"progress_seconds":[],"ran":true,"seconds":0.0,"stopped":false,)"
    R"("ticks":0,"verification":{"checked":74521,"partial":false,"seconds":0.0,)"
    R"x("status":"verified","text":"verified: 74521 primes (check 0.000 s)"}}],)x"
    R"("schema":"tallyforge-result","schema_version":2,"stop":null,"time":"2026-12-07T09:40:00Z",)"
    R"("total_score":{"passes":[],"statistics":null},"workload":"standard"})");
}

TEST(ResultDocument, ScoresOfEveryPassAndTheirStatistics) {
  const ResultDocument document =
      Document({}, {{1, true, "1000\n"}, {2, true, "990\n"}, {3, false, "990\n"}, {4, true, "n/a"}});
  const DocumentTotalScore& total = document.totalScore;
  ASSERT_EQ(total.passes.size(), 4u);
  EXPECT_EQ(total.passes[0].value, 1000.0);
  EXPECT_EQ(total.passes[0].text, "1000");
  EXPECT_EQ(total.passes[2].value, std::nullopt);  // stopped: no score
  EXPECT_EQ(total.passes[3].value, std::nullopt);  // nothing to divide by
  ASSERT_TRUE(total.statistics);
  EXPECT_EQ(total.statistics->count, 2);
  EXPECT_EQ(total.statistics->median, 995.0);
}

// Whatever bytes its texts held, a document reads back as it was written: the same text again,
// the digest of its figures the one recorded, also with its members in another order and a
// member given twice (the last one counts, as the JSON library has it).
TEST(ResultDocument, ReadsBackAsWrittenWithItsFiguresUnchanged) {
  DocumentContext context = Context();
  context.machine.cpuModel = "\x01\xff\"\\<\u00e9>\t\xe2\x80\xae";
  context.stop = StopRecord{"B1 of pass 1", {"B8 of pass 1"}};
  RecordedRun run = MadeRun(1, 2147483647);
  run.progressTicks = {1, 1000000};
  run.check.verification.status = CheckStatus::kWrong;
  run.check.verdict = RunVerdict::kWrong;
  run.check.verification.line = 12;
  run.check.verification.found = "\x1b[2J";
  const std::vector<CountResult> jobs = {{2, {{"job-1-of-2", 137, std::nullopt, false, "killed", true}},
                                          1.8, 0.9}};
  RecordedResults results;
  AddRun(results, run, 2);
  AddScore(results, 1, true, "1e308");
  const std::string text = DocumentText(BuildDocument(context, results, jobs, true));
  const ResultDocument read = Reread(text);
  EXPECT_EQ(read.figuresDigest, read.integrity.figuresSha256);
  EXPECT_EQ(DocumentText(read), text);
  EXPECT_EQ(read.runs.at(0).verification->line, 12);
  EXPECT_EQ(read.jobs->at(0).results.at(0).exitCode, 137);

  const std::string compact = json::parse(text).dump();
  const ResultDocument reordered = Reread("{\"time\":\"edited\"," + compact.substr(1));
  EXPECT_EQ(reordered.time, "2026-12-07T09:40:00Z");
  EXPECT_EQ(reordered.figuresDigest, read.integrity.figuresSha256);
}

TEST(DocumentReader, RefusesWhatIsNotAValidDocumentWithAReason) {
  const json valid = Json(Document({MadeRun(1, 800)}));
  const auto with = [&](const std::function<void(json&)>& edit) {
    json edited = valid;
    edit(edited);
    return edited.dump();
  };
  const std::pair<std::string, std::string> cases[] = {
      {"[1, 2", "is not JSON"},
      {"\xFF", "is not JSON"},
      {json(std::vector<int>(kMostDocumentValues + 1)).dump(), "more than 2000000 values"},
      {"[\"" + std::string(kLongestDocumentText + 1, 'a') + "\"]", "a text longer than 1 MB"},
      {with([](json& d) { d["schema_version"] = "2"; }), "schema_version \"2\""},
      {with([](json& d) { d["runs"][0]["ticks"] = "800"; }), "runs[0].ticks: expected an integer"},
      {with([](json& d) { d["runs"][0]["pass"] = 1e30; }), "runs[0].pass: expected an integer"},
      {with([](json& d) { d["runs"][0]["cells"].erase("percent"); }), "missing runs[0].cells.percent"},
      {with([](json& d) { d["runs"][0]["verification"]["status"] = "fine\x1b[2J"; }),
       "unknown status \"fine?[2J\""},
      {with([](json& d) { d.erase("finished"); }), "missing finished"},
      {with([](json& d) { d["jobs"] = json::array({{{"copies", 1}}}); }), "missing jobs[0].results"},
      {with([](json& d) { d["remainder"] = 5; }), "remainder: expected a string, found number"},
      {with([](json& d) { d["stop"] = {{"at", "B1"}}; }), "missing stop.not_run"},
      {with([](json& d) { d["benchmarks"][0]["slowdown"]["noise"] = "0"; }),
       "benchmarks[0].slowdown.noise: expected a number, found string"},
      {with([](json& d) { d["benchmarks"][0]["seconds"]["ci95"] = {1, "2"}; }),
       "benchmarks[0].seconds.ci95[1]: expected a number, found string"},
  };
  for (const auto& [text, reason] : cases) {
    std::string error;
    EXPECT_FALSE(ParseDocument(text, error)) << reason;
    EXPECT_TRUE(Has(error, reason)) << text.substr(0, 80) << ": " << error;
  }
}

// What check finds of document, and what it prints.
std::pair<DocumentFindings, std::string> Checked(const ResultDocument& document,
                                                 const ExpectedAnswers& answers = {}) {
  ScratchDir dir;
  const DocumentFindings findings = CheckDocument(Reread(document), answers);
  std::FILE* out = std::fopen((dir / "out").string().c_str(), "w");
  PrintFindings(out, findings);
  std::fclose(out);
  return {findings, testing::ReadTextFile(dir / "out")};
}

TEST(DocumentCheck, AWrongOutputChecksumFails) {
  const ResultDocument good = Document({MadeRun(1, 800), MadeRun(8, 900)});
  auto [findings, output] = Checked(good, {{NumbersFileName(5), "00ff"}});
  EXPECT_TRUE(findings.allWell()) << output;
  EXPECT_EQ(output, "figures: unchanged since the document was written\n"
                    "B1 pass 1: verified: 74521 primes (check 0.000 s); "
                    "Numbers_0000000000005.txt: matches the expected answer\n"
                    "B8 pass 1: verified: 74521 primes (check 0.000 s)\n"
                    "check: every run ran to its end and was verified; the figures are as written\n");
  std::tie(findings, output) = Checked(good, {{NumbersFileName(5), "abcd"}});
  EXPECT_TRUE(findings.fileDiffers && !findings.edited);
  ExpectHas(output, {"DIFFERS from the expected answer"});
}

// A stop, and the copies of --jobs, as check judges them (the runner's tests try the rest):
// what a stop left undone is said, and a copy is verified only when its parent saw it complete.
TEST(DocumentCheck, AStopAndTheCopiesOfJobsAreJudged) {
  DocumentContext context = Context();
  const std::vector<RecordedRun> runs = {MadeRun(9, 800)};
  for (const auto& [passes, text] : {std::pair{3, "not run: B1, B2 of pass 1, passes 2 to 3"},
                                     std::pair{2, "not run: B1, B2 of pass 1, pass 2"}}) {
    context.stop = SessionStop({9, 1, 2}, passes, runs);
    const ResultDocument document = Document(runs, {}, context);
    EXPECT_FALSE(document.finished);  // what older readers go by
    const auto [findings, output] = Checked(document);
    EXPECT_TRUE(!findings.allWell() && !findings.anyWrong() && !findings.anyUnchecked()) << output;
    ExpectHas(output, {"\nthe run was stopped at B9 of pass 1; " + std::string(text) + "\n"});
  }

  const auto jobs = [&](const std::vector<CopyResult>& copies) {
    return Checked(BuildDocument(Context(), {}, std::vector<CountResult>{{2, copies, {}, {}}}, true)).first;
  };
  const CopyResult complete = {"job-1-of-2", 0, 1.0, true, "complete"};
  EXPECT_TRUE(jobs({complete, complete}).allWell());
  EXPECT_EQ(jobs({complete}).copiesIncomplete, 1);  // one copy of two not recorded
  CopyResult other = complete;
  other.exitCode = 3;  // "complete" is never trusted beside a wrong result
  EXPECT_TRUE(jobs({complete, other}).anyWrong());
  other.exitCode = 4;
  other.complete = false;
  EXPECT_TRUE(jobs({other, complete}).anyUnchecked());
}

// compare says what check finds wrong and when the arithmetic differs, then the figures, however
// large.
TEST(DocumentCompare, RatioPerBenchmarkAndForTheScoreAfterWhatCheckFinds) {
  const json a = Json(Document({MadeRun(1, 1000), MadeRun(9, 4000)}, {{1, true, "1000\n"}}));
  json b = Json(Document({MadeRun(9, 3000), MadeRun(1, 500)}, {{1, true, "1500\n"}}));
  ScratchDir dir;
  const auto compare = [&](const json& second) {  // what it finds, and the lines it prints
    std::FILE* out = std::fopen((dir / "out").string().c_str(), "w");
    const Comparison compared = CompareDocuments(Reread(a), Reread(second), {}, out);
    std::fclose(out);
    return std::make_pair(compared, testing::Lines(testing::ReadTextFile(dir / "out")));
  };
  auto [compared, lines] = compare(b);
  EXPECT_TRUE(compared.common && compared.a.allWell() && compared.b.allWell());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "B1                1.0000       0.5000    0.500");
  EXPECT_EQ(lines[2], "B9                4.0000       3.0000    0.750");
  EXPECT_EQ(lines[3], "TOTAL SCORE       1000.0       1500.0    1.500");

  b["benchmarks"][0]["seconds"]["median"] = 1e308;  // edited, with no digest to match
  b.erase("remainder");                             // as an older document is
  std::tie(compared, lines) = compare(b);
  EXPECT_TRUE(compared.b.edited);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "B: check: FAILED: figures edited: its times are not a clean result");
  EXPECT_EQ(lines[1], "A and B were measured with different arithmetic (A: " +
                          std::string(kRemainderName) + ", B: unknown (older document)): their "
                          "times measure the arithmetic as well as the machines");
  EXPECT_EQ(lines[4], "B9                4.0000       1e+308 2.5e+307");
}

// The host behind a recorder, which looks at the document as it hears of each run.
struct DocumentReadingHost : testing::FakeHost {
  std::filesystem::path document;
  std::vector<size_t> runsWritten;
  void RunFinished(const RunOutcome& outcome) override {
    FakeHost::RunFinished(outcome);
    runsWritten.push_back(json::parse(testing::ReadFile(document))["runs"].size());
  }
};

// Each run is recorded with its statistics and written to the document before the host behind
// hears of it.
TEST(RunRecorder, KeepsEveryRunWithItsStatisticsAndWritesTheDocumentFirst) {
  testing::EnsurePrimeTable();
  ScratchDir dir;
  DocumentReadingHost inner;
  inner.document = dir / "r.json";
  Workload work = testing::QuietWorkload();
  work.ranges[0] = {5, 20000, 250};  // 1,138 primes: a progress point every 250, four
  RunRecorder recorder(inner, work, dir.path());  // no /proc there: no machine readings
  DocumentWriter document(inner.document, stderr);
  document.context() = Context();
  recorder.WriteTo(document);
  BenchEngine engine(recorder, dir.path(),
                     testing::SequenceTicks({0, 100, 200, 300, 400, 500, 1000, 1110, 1220, 1320,
                                             1420, 1520, 1620, 1820}),
                     work);
  for (int bench : {1, 9, 1}) {
    if (recorder.runs().size() == 2) recorder.BeginPass(2);
    inner.Select(bench);
    engine.OnStartBench();
  }
  const RecordedResults& results = recorder.results();
  ASSERT_EQ(results.runs.size(), 3u);
  EXPECT_EQ(results.runs[0].progressTicks, (std::vector<int32_t>{100, 200, 300, 400}));
  EXPECT_EQ(results.runs[0].yourTime, "0.5000");
  EXPECT_EQ(results.runs[0].check.verdict, RunVerdict::kVerified);
  EXPECT_EQ(results.runs[0].check.verification.checked, 1138);
  EXPECT_EQ(results.runs[2].pass, 2);
  EXPECT_TRUE(results.runs[1].progressTicks.empty());  // none of B9's numbers is a 1000th
  ASSERT_EQ(results.benchmarks.size(), 2u);  // B1's statistics over its two runs
  EXPECT_EQ(results.benchmarks[0].bench, 1);
  EXPECT_EQ(results.benchmarks[0].seconds.size(), 2u);
  EXPECT_NEAR(results.benchmarks[0].stats->median, 0.55, 1e-6);  // 0.5 s and 0.6 s
  EXPECT_EQ(inner.runsWritten, (std::vector<size_t>{1, 2, 3}));
}

TEST(Calibrate, RunAgainstItsOwnReferenceScoresAboutOneThousand) {
  testing::EnsurePrimeTable();
  ScratchDir dir;
  testing::FakeHost inner;
  const Workload work = testing::QuietWorkload();
  RunRecorder recorder(inner, work, dir.path());
  std::vector<int32_t> readings;
  for (int pass = 0; pass < 2; ++pass) {
    int32_t now = 5000;
    for (int32_t d : {1234, 2345, 3456, 4567, 5678, 6789, 7891, 8912, 9123}) {
      readings.push_back(now);
      readings.push_back(now += d);
    }
  }
  BenchEngine engine(recorder, dir.path(), testing::SequenceTicks(readings), work);
  ASSERT_TRUE(engine.OnStressBench().scored);
  const auto times = CalibratedTimes(recorder.results());
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

  RecordedResults results = recorder.results();  // every run verified: all nine times
  results.runs[3].check.verdict = RunVerdict::kNotChecked;
  EXPECT_EQ(CalibratedTimes(results), std::nullopt);
  results = {};
  for (int i = 0; i < 8; ++i) AddRun(results, recorder.runs()[i], 0);  // B9 missing
  EXPECT_EQ(CalibratedTimes(results), std::nullopt);
}

}  // namespace
}  // namespace tallyforge

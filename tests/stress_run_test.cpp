#include <gtest/gtest.h>

#include <functional>

#include "formats.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using testing::FakeHost;

class StressRun : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsurePrimeTable();
    stressState = 0;
    testing::WriteFile(dir / "Reference.txt", "10\n20\n30\n40\n50\n60\n70\n80\n90\n");
  }
  // Each benchmark of the quiet workload reads the clock twice: its start and its end.
  static TickSource Durations(const std::vector<int32_t>& durations) {
    std::vector<int32_t> readings;
    int32_t now = 1000;
    for (int32_t d : durations) {
      readings.push_back(now);
      readings.push_back(now += d);
    }
    return testing::SequenceTicks(readings);
  }
  testing::ScratchDir dir;
  FakeHost host;
};

TEST_F(StressRun, TimesOfTheReferenceScoreOneThousandAndHalfOfThemTwoThousand) {
  BenchEngine engine(host, dir.path(),
                     Durations({10000, 20000, 30000, 40000, 50000, 60000, 70000, 80000, 90000,
                                5000, 10000, 15000, 20000, 25000, 30000, 35000, 40000, 45000}),
                     testing::QuietWorkload());
  engine.ReadReferenceTimes();
  host.Select(6);
  StressOutcome outcome = engine.OnStressBench();
  EXPECT_TRUE(outcome.scored);
  // B1 to B9 in order, whatever was selected; B9 stays selected.
  ASSERT_EQ(outcome.runs.size(), 9u);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(outcome.runs[k - 1].bench, k);
  EXPECT_EQ(host.setChecks.front(), std::make_pair(6, false));
  EXPECT_EQ(host.setChecks[1], std::make_pair(1, true));
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(host.checked[k], k == 9) << k;
  EXPECT_EQ(engine.board().m_totalScore, "1000\n");
  EXPECT_EQ(engine.board().m_percent5, "099%");
  outcome = engine.OnStressBench();
  EXPECT_EQ(outcome.runs.size(), 9u);
  EXPECT_EQ(engine.board().m_totalScore, "2000\n");
  EXPECT_EQ(engine.board().m_yourTime9, "45.0000");  // every row replaced
  EXPECT_EQ(engine.board().m_yourTime1, "5.0000");
  EXPECT_EQ(stressState, 1);
}

// A STOP ends the stress run without a total wherever it lands: mid-run, or at a benchmark's
// last progress point, where no work remains (B8's loop then never tests the flag again).
TEST_F(StressRun, StopEndsTheRunWithoutATotalWhereverItLands) {
  struct Case {
    int bench;
    bool atTheEnd;
    std::function<void(Workload&)> adjust;  // gives the benchmark its progress points
  };
  const Case cases[] = {
      {3, false, [](Workload& w) { w.ranges[2].reportInterval = 5; }},
      {8, false, [](Workload& w) { w.mixedLimit = 300000; }},
      {9, false, [](Workload& w) { w.factorFirst = 1000000000; }},
      // 599, the last candidate below 600, is prime: a progress point with every prime.
      {1, true, [](Workload& w) { w.ranges[0] = {5, 600, 1}; }},
      // The 10,000th prime, 104,729, is the last below the limit and a progress point.
      {8, true, [](Workload& w) { w.mixedLimit = 104730; }},
      {9, true, [](Workload& w) {
         w.factorFirst = 1000000900;
         w.factorLast = 1000001000;
       }},
  };
  for (const Case& c : cases) {
    const std::string name = BenchmarkName(c.bench) + (c.atTheEnd ? " at the end" : " mid-run");
    Workload work = testing::QuietWorkload();
    c.adjust(work);
    // Every reading one second later than the one before: the stopped row shows a time.
    BenchEngine engine(host, dir.path(), [t = 0]() mutable { return t += 1000; }, work);
    host = FakeHost{};
    host.Select(c.bench);
    const RunOutcome whole = engine.OnStartBench();
    const int lastPoint = host.dispatches;

    host = FakeHost{};
    host.engine = &engine;
    host.stopAtDispatch = c.atTheEnd ? lastPoint : 1;
    engine.board().m_totalScore = "1234\n";
    const StressOutcome outcome = engine.OnStressBench();
    EXPECT_FALSE(outcome.scored) << name;
    ASSERT_EQ(outcome.runs.size(), static_cast<size_t>(c.bench)) << name;
    const RunOutcome& stopped = outcome.runs.back();
    EXPECT_TRUE(stopped.stopRequested) << name;
    EXPECT_EQ(stopped.stopped, !c.atTheEnd) << name;
    if (c.atTheEnd) { EXPECT_EQ(stopped.found, whole.found) << name; }  // the board keeps it all
    EXPECT_TRUE(host.checked[c.bench]) << name;
    EXPECT_EQ(engine.board().m_totalScore, "1234\n") << name;
    EXPECT_EQ(stressState, 2) << name;
    EXPECT_TRUE(engine.board().yourTime(c.bench).ends_with(".0000")) << name;  // not a percentage
    if (c.bench < 9) { EXPECT_EQ(engine.board().yourTime(c.bench + 1), "") << name; }
  }
}

TEST_F(StressRun, WithoutReferenceTheTotalIsZeroAndAMissingB9KeepsItsRow) {
  std::filesystem::remove(dir / "Reference.txt");
  std::filesystem::create_directory(dir / "Factors.txt");
  BenchEngine engine(host, dir.path(), MonotonicTicks, testing::QuietWorkload());
  engine.ReadReferenceTimes();
  engine.board().m_yourTime9 = "3.0000";
  const StressOutcome outcome = engine.OnStressBench();
  EXPECT_TRUE(outcome.scored);
  EXPECT_FALSE(outcome.runs.back().ran);
  EXPECT_EQ(engine.board().m_yourTime9, "3.0000");
  EXPECT_EQ(engine.board().m_totalScore, "0\n");
}

}  // namespace
}  // namespace tallyforge

#include <gtest/gtest.h>

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
  StressOutcome outcome = engine.OnStressBench();
  EXPECT_TRUE(outcome.scored);
  EXPECT_EQ(engine.board().m_totalScore, "1000\n");
  EXPECT_EQ(engine.board().m_percent5, "099%");
  outcome = engine.OnStressBench();
  EXPECT_EQ(outcome.runs.size(), 9u);
  EXPECT_EQ(engine.board().m_totalScore, "2000\n");
  EXPECT_EQ(engine.board().m_yourTime9, "45.0000");  // every row replaced
  EXPECT_EQ(engine.board().m_yourTime1, "5.0000");
  EXPECT_EQ(stressState, 1);
}

TEST_F(StressRun, RunsB1ToB9InOrderWhateverWasSelected) {
  BenchEngine engine(host, dir.path(), MonotonicTicks, testing::QuietWorkload());
  host.Select(6);
  const StressOutcome outcome = engine.OnStressBench();
  ASSERT_EQ(outcome.runs.size(), 9u);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(outcome.runs[k - 1].bench, k);
  EXPECT_EQ(host.setChecks.front(), std::make_pair(6, false));
  EXPECT_EQ(host.setChecks[1], std::make_pair(1, true));
  EXPECT_EQ(host.setChecks.back(), std::make_pair(9, true));
  for (int k = 1; k <= 8; ++k) EXPECT_FALSE(host.checked[k]) << k;
}

TEST_F(StressRun, StopEndsTheRunWithoutATotal) {
  for (const int stoppedBench : {3, 8, 9}) {
    Workload work = testing::QuietWorkload();
    work.ranges[2].reportInterval = 5;  // B3 reports after a few primes
    work.mixedLimit = 300000;           // B8 reaches its first progress point
    work.factorFirst = 1000000000;      // B9 reports at its first number
    BenchEngine engine(host, dir.path(), MonotonicTicks, work);
    engine.board().m_totalScore = "1234\n";
    host = FakeHost{};
    host.engine = &engine;
    host.onDispatch = [&](int) {
      for (int b = 1; b <= 9; ++b) {
        if (host.checked[b] && b == stoppedBench) engine.OnStopBench();
      }
    };
    const StressOutcome outcome = engine.OnStressBench();
    EXPECT_FALSE(outcome.scored);
    ASSERT_EQ(outcome.runs.size(), static_cast<size_t>(stoppedBench)) << stoppedBench;
    EXPECT_TRUE(outcome.runs.back().stopped);
    EXPECT_TRUE(host.checked[stoppedBench]);
    EXPECT_EQ(engine.board().m_totalScore, "1234\n");
    EXPECT_EQ(stressState, 2);
    EXPECT_NE(engine.board().percent(stoppedBench), "");  // the partial run is shown
    if (stoppedBench < 9) {
      EXPECT_EQ(engine.board().yourTime(stoppedBench + 1), "");
    }
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

#include "run_statistics.h"

#include <gtest/gtest.h>

#include "run_verdicts.h"

namespace tallyforge {
namespace {

TEST(RunStatistics, MedianOfOddAndEvenCountsAndNoneWhenEmpty) {
  EXPECT_EQ(Median({3, 1, 2}), 2);
  EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
  EXPECT_EQ(Median({}), std::nullopt);
}

TEST(RunStatistics, StandardDeviationNeedsTwoValuesAndKeepsPrecisionOfTightGroups) {
  EXPECT_EQ(SampleStdDev({5}), std::nullopt);
  EXPECT_DOUBLE_EQ(*SampleStdDev({2, 4, 4, 4, 5, 5, 7, 9}), 2.138089935299395);
  // A one-pass sum of squares loses these digits next to the large offset.
  const double base = 1e9;
  EXPECT_NEAR(*SampleStdDev({base + 4, base + 7, base + 13, base + 16}), 5.477225575, 1e-6);
}

TEST(RunStatistics, SummaryGivesSpreadAndIntervalAroundTheMedian) {
  const Summary s = *Summarise({10.0, 10.1, 9.9, 10.2, 9.8});
  EXPECT_EQ(s.count, 5u);
  EXPECT_EQ(s.min, 9.8);
  EXPECT_EQ(s.max, 10.2);
  EXPECT_EQ(s.median, 10.0);
  EXPECT_NEAR(*s.spread, 0.04, 1e-12);
  // t(0.975, 4) = 2.776, sqrt(pi/2) = 1.2533, s = 0.158114, sqrt(5) = 2.23607
  EXPECT_NEAR(*s.ciHigh - s.median, 2.776 * 1.2533141 * 0.1581139 / 2.2360680, 1e-6);
  EXPECT_NEAR(s.median - *s.ciLow, *s.ciHigh - s.median, 1e-12);

  const Summary single = *Summarise({3.5});
  EXPECT_EQ(single.median, 3.5);
  EXPECT_FALSE(single.stddev || single.spread || single.ciLow);
  EXPECT_EQ(Summarise({}), std::nullopt);
}

TEST(NoiseVerdict, StableWithinOnePercentNoisyBeyondWithTheCausesSeen) {
  NoiseEvidence quiet;
  quiet.spread = 0.01;
  quiet.runSeconds = 10;
  quiet.otherCpuSeconds = 0.1;
  quiet.loadAtStart = 0.5;
  quiet.logicalCores = 2;
  quiet.frequenciesKHz = {3000000, 3010000};
  NoiseVerdict verdict = JudgeNoise(quiet);
  EXPECT_EQ(verdict.verdict, "stable");
  EXPECT_TRUE(verdict.causes.empty());

  NoiseEvidence busy = quiet;
  busy.spread = 0.03;
  busy.otherCpuSeconds = 4;
  busy.loadAtStart = 2.5;
  busy.frequenciesKHz = {3000000, 2200000, 2990000};
  verdict = JudgeNoise(busy);
  EXPECT_EQ(verdict.verdict, "noisy");
  ASSERT_EQ(verdict.causes.size(), 3u);
  EXPECT_EQ(verdict.causes[0], "other processes used 4.0 s of CPU time during 10.0 s of runs");
  EXPECT_EQ(verdict.causes[1], "load average 2.50 above the 2 cores at the start");
  EXPECT_EQ(verdict.causes[2], "CPU frequency changed between 2200 and 3000 MHz");

  EXPECT_EQ(JudgeNoise(NoiseEvidence{}).verdict, "n/a");  // a single run has no spread
}

TEST(SlowdownVerdict, SameStretchesLongerInALaterPassIsSlowing) {
  const PassTimes first = {1.0, 2.0, 3.0, 4.0};
  // Pass 3 takes 10% longer for every stretch; pass 2 has one disturbed stretch only.
  const PassTimes disturbed = {1.0, 2.5, 3.5, 4.5};
  const PassTimes throttled = {1.1, 2.2, 3.3, 4.4};
  SlowdownVerdict verdict = JudgeSlowdown({first, disturbed, throttled});
  EXPECT_EQ(verdict.verdict, "slowing");
  EXPECT_EQ(verdict.worstPass, 3);
  EXPECT_NEAR(verdict.worstRatio, 1.1, 1e-9);

  EXPECT_EQ(JudgeSlowdown({first, disturbed}).verdict, "steady");
  EXPECT_EQ(JudgeSlowdown({first}).verdict, "n/a");
  EXPECT_EQ(JudgeSlowdown({first, {1.0, 2.0}}).verdict, "n/a");  // not the same work
}

}  // namespace
}  // namespace tallyforge

#include "run_statistics.h"

#include <gtest/gtest.h>

#include "timing_verdicts.h"

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

// A pass whose stretches (the work between two progress points) take 0.16 s times each of
// factors: its progress-point times, then its end.
PassTimes Pass(const std::vector<double>& factors) {
  PassTimes times;
  double t = 0;
  for (double f : factors) times.push_back(t += 0.16 * f);
  return times;
}

TEST(SlowdownVerdict, ALaterPassSlowerByMoreThanTheStretchesNoiseIsSlowing) {
  const std::vector<double> first = {1.00, 1.02, 0.99, 1.01, 1.00, 0.98, 1.01, 1.00};
  std::vector<PassTimes> throttled = {Pass(first)};
  for (double jitter : {0.01, -0.01, 0.0, 0.005}) {
    std::vector<double> slower;
    for (size_t k = 0; k < first.size(); ++k) slower.push_back(first[k] * 1.17 + (k % 2 ? jitter : -jitter));
    throttled.push_back(Pass(slower));
  }
  // A shared machine: passes 2 and 4 disturbed unevenly, the totals spread 18%, and pass 4's
  // stretches a median 16.7% slower than the first's: noise, not throttling.
  const std::vector<PassTimes> noisy = {
      Pass(first),
      Pass({1.30, 1.05, 1.22, 0.99, 1.35, 1.02, 1.18, 1.08}),
      Pass({1.01, 0.99, 1.00, 1.02, 0.98, 1.00, 1.01, 0.99}),
      Pass({1.25, 1.06, 1.43, 1.01, 1.16, 1.15, 1.04, 1.38}),
      Pass({1.03, 1.00, 1.02, 0.99, 1.01, 1.04, 1.00, 1.02})};
  struct Case {
    const char* name;
    std::vector<PassTimes> passes;
    std::string verdict;
    int worstPass;  // -1: any
  };
  const Case cases[] = {
      {"throttled from pass 2 on", throttled, "slowing", -1},
      {"noise as large as the slowdown", noisy, "steady", 4},
      {"gradual", {Pass({1, 1, 1, 1}), Pass({1.05, 1.05, 1.05, 1.05}), Pass({1.1, 1.1, 1.1, 1.1})},
       "slowing", 3},
      {"one disturbed stretch", {Pass({1, 1, 1, 1}), Pass({1, 1.5, 1, 1})}, "steady", -1},
      {"within 2%", {Pass({1, 1, 1, 1}), Pass({1.015, 1.015, 1.015, 1.015})}, "steady", 2},
      {"one pass", {Pass(first)}, "n/a", 0},
      {"not the same work", {Pass({1, 1}), Pass({1})}, "n/a", 0},
  };
  for (const Case& c : cases) {
    const SlowdownVerdict verdict = JudgeSlowdown(c.passes);
    EXPECT_EQ(verdict.verdict, c.verdict) << c.name << ", noise " << verdict.noise;
    if (c.worstPass >= 0) { EXPECT_EQ(verdict.worstPass, c.worstPass) << c.name; }
  }
  EXPECT_NEAR(JudgeSlowdown(noisy).worstRatio, 1.167, 0.005);
  EXPECT_NEAR(JudgeSlowdown(throttled).worstRatio, 1.17, 0.01);
}

}  // namespace
}  // namespace tallyforge

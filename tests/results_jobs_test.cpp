// --jobs as results: the copy counts asked for, the copies' throughput against one copy alone,
// and which exit status wins.
#include <gtest/gtest.h>

#include <cerrno>

#include "exit_status.h"
#include "jobs_summary.h"
#include "results_support.h"

namespace tallyforge {
namespace {

using Counts = std::optional<std::vector<int>>;

TEST(JobCounts, OneCopyAloneFirstThenTheCountOrEveryCountOfARange) {
  EXPECT_EQ(ParseJobCounts("1", 8), Counts(std::in_place, {1}));
  EXPECT_EQ(ParseJobCounts("256", 8), Counts(std::in_place, {1, 256}));
  EXPECT_EQ(ParseJobCounts("ALL", 2), Counts(std::in_place, {1, 2}));
  EXPECT_EQ(ParseJobCounts("all", 0), Counts(std::in_place, {1}));  // no core count known: one copy
  EXPECT_EQ(ParseJobCounts("2..4", 8), Counts(std::in_place, {2, 3, 4}));
  for (const char* bad : {"", "0", "257", "3..2", "1..", "..2", "x", "-1", "+2", "1..257", "2...3"}) {
    EXPECT_EQ(ParseJobCounts(bad, 8), std::nullopt) << bad;
  }
}

CopyResult Complete(double seconds) { return {"job", 0, seconds, true, "complete"}; }

// A copy's throughput is the single-copy time over its own: copies of 1.25 s and 1 s against
// one of 1 s do 1.8 times its work.
TEST(JobsThroughput, EachCountAgainstOneCopyAloneOnlyWhenEveryCopyCompleted) {
  std::vector<CountResult> counts = {{1, {Complete(1)}, {}, {}},
                                     {2, {Complete(1.25), Complete(1)}, {}, {}},
                                     {3, {Complete(2), Complete(2), CopyResult{}}, {}, {}}};
  ScaleAgainstOneCopy(counts);
  EXPECT_EQ(counts[0].throughput, 1.0);
  EXPECT_EQ(counts[1].throughput, 1.8);
  EXPECT_EQ(counts[1].efficiency, 0.9);
  EXPECT_FALSE(counts[2].throughput || counts[2].efficiency);
  // Without a count of one, the first count's mean time per copy (3 s) is the measure.
  counts = {{2, {Complete(2), Complete(4)}, {}, {}}, {3, {Complete(3), Complete(3), Complete(6)}, {}, {}}};
  ScaleAgainstOneCopy(counts);
  EXPECT_EQ(counts[0].throughput, 2.25);
  EXPECT_EQ(counts[1].throughput, 2.5);
  EXPECT_DOUBLE_EQ(*counts[1].efficiency, 2.5 / 3);
  counts[0].results[1].complete = false;  // and when it did not complete, no count has figures
  ScaleAgainstOneCopy(counts);
  EXPECT_FALSE(counts[0].throughput || counts[1].throughput);
}

TEST(ExitStatus, WrongOutranksAFailureWhichOutranksNotCheckedWhichOutranksAStop) {
  EXPECT_EQ(WorseExit(0, 130), 130);
  EXPECT_EQ(WorseExit(130, 4), 4);
  EXPECT_EQ(WorseExit(4, 1), 1);
  EXPECT_EQ(WorseExit(1, 3), 3);
  EXPECT_EQ(WorseExit(3, 1), 3);
  EXPECT_EQ(WorseExit(4, 70), 70);
  EXPECT_EQ(WorseExit(2, 1), 2);  // alike: the first keeps its place
  std::vector<RecordedRun> runs = {testing::MadeRun(1, 800), testing::MadeRun(2, 800)};
  EXPECT_EQ(ExitStatusOf(runs, false), 0);
  EXPECT_EQ(ExitStatusOf(runs, true), 130);
  runs[0].check.verdict = RunVerdict::kNotChecked;
  EXPECT_EQ(ExitStatusOf(runs, true), 4);
  runs[1].outcome.fileError = ENOSPC;
  EXPECT_EQ(ExitStatusOf(runs, false), 1);
  runs[0].check.verdict = RunVerdict::kWrong;
  EXPECT_EQ(ExitStatusOf(runs, false), 3);
  // --jobs: a copy killed by a signal (137) is a failure; an interruption stands over all.
  CopyResult notChecked = Complete(1), killed = Complete(1);
  notChecked.exitCode = 4;
  killed.exitCode = 137;
  const std::vector<CountResult> counts = {{2, {notChecked, killed}, {}, {}}};
  EXPECT_EQ(JobsExitStatus(counts, false), 1);
  EXPECT_EQ(JobsExitStatus(counts, true), 130);
}

}  // namespace
}  // namespace tallyforge

#include "mixed_search.h"

#include <gtest/gtest.h>

#include "formats.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using Pass = MixedSearch::Pass;

TEST(MixedBenchmark, SearchesTakeTurnsIntegerFirst) {
  MixedSearch::PresetTables();
  MixedSearch search(10000000);
  EXPECT_EQ(search.Step(), Pass::kTrial);  // both try 5 against 2
  EXPECT_EQ(search.Step(), Pass::kIntPrime);
  EXPECT_EQ(intPrimeTable[3], 5);
  EXPECT_EQ(search.intCandidate, 7);
  EXPECT_EQ(search.realCandidate, 5.0);
  EXPECT_EQ(search.Step(), Pass::kFloatPrime);
  EXPECT_EQ(realPrimeTable[3], 5.0);
  EXPECT_EQ(search.found, 3);
  EXPECT_EQ(search.Step(), Pass::kTrial);  // both try 7 against 2
  EXPECT_EQ(search.intPosition, 2);
  EXPECT_EQ(search.realPosition, 2);
  EXPECT_EQ(search.intCandidate, 7);
  EXPECT_EQ(search.realCandidate, 7.0);
}

TEST(MixedBenchmark, FullRunFindsEveryPrimeBelowTenMillionTwice) {
  testing::FakeHost host;
  BenchEngine engine(host);
  host.Select(8);
  std::vector<std::string> progress;
  host.onDispatch = [&](int) { progress.push_back(host.pushed.back().m_yourTime8); };
  const RunOutcome outcome = engine.OnStartBench();
  EXPECT_EQ(outcome.found, 664579);
  EXPECT_FALSE(outcome.stopped);
  ASSERT_EQ(progress.size(), 66u);
  EXPECT_EQ(progress.front(), "001%");
  EXPECT_EQ(progress.back(), "099%");
  EXPECT_EQ(engine.board().m_yourTime8, TimeText(TicksToSeconds(outcome.ticks)));
  EXPECT_EQ(engine.board().m_percent8, outcome.ticks == 0 ? kNoTimeText : "000%");

  testing::EnsurePrimeTable();
  for (int k = 1; k < kMixedTableSize; ++k) {
    ASSERT_EQ(intPrimeTable[k], primeTable[k]) << k;
    ASSERT_EQ(realPrimeTable[k], primeTable[k]) << k;
  }
  EXPECT_EQ(intPrimeTable[1999], 17387);
}

TEST(MixedBenchmark, StopEndsTheRunAfterAProgressPoint) {
  testing::FakeHost host;
  BenchEngine engine(host);
  host.engine = &engine;
  host.stopAtDispatch = 2;
  host.Select(8);
  stressState = 1;
  const RunOutcome outcome = engine.OnStartBench();
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.found, 20000);  // no further prime recorded by the float search
  EXPECT_EQ(stressState, 2);
  EXPECT_EQ(stopFlag, 1);
  EXPECT_EQ(engine.board().m_yourTime8, TimeText(TicksToSeconds(outcome.ticks)));
}

}  // namespace
}  // namespace tallyforge

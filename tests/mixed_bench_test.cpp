#include <gtest/gtest.h>

#include "mixed_search.h"
#include "test_support.h"

namespace tallyforge {
namespace {

class MixedBenchmark : public ::testing::Test {
 protected:
  void SetUp() override {
    stressState = 0;
    work.mixedLimit = 300000;
  }
  testing::FakeHost host;
  Workload work = testing::QuietWorkload();
};

// The primes below 300,000 (25,997 of them), searched for twice: the progress points, the row,
// and both tables as the check reads them.
TEST_F(MixedBenchmark, BothSearchesFindEveryPrimeBelowTheLimit) {
  intPrimeTable.fill(-1);
  realPrimeTable.fill(-1);
  BenchEngine engine(host, ".", testing::SequenceTicks({0, 250, 500, 750}), work);
  host.Select(8);
  std::vector<std::string> shown;
  host.onDispatch = [&](int) {
    shown.push_back(host.pushed.back().m_yourTime8 + " " + host.pushed.back().m_status);
  };
  const RunOutcome outcome = engine.OnStartBench();
  EXPECT_EQ(outcome.found, 25997);
  EXPECT_FALSE(outcome.stopped);
  // The float search's next candidate after its 10,000th and 20,000th prime, in ten million.
  EXPECT_EQ(shown, (std::vector<std::string>{"001% Time Elapsed : 0.2500 sec.",
                                             "002% Time Elapsed : 0.5000 sec."}));
  EXPECT_EQ(engine.board().m_yourTime8, "0.7500");
  EXPECT_EQ(engine.board().m_percent8, "000%");
  EXPECT_EQ(stopFlag, 1);

  const std::pair<int, int32_t> entries[] = {{1, 2}, {2, 3}, {3, 5}, {4, 7}, {100, 541},
                                             {447, 3163}, {1999, 17387}};
  for (const auto& [entry, prime] : entries) {
    EXPECT_EQ(intPrimeTable[entry], prime) << entry;
    EXPECT_EQ(realPrimeTable[entry], prime) << entry;
  }
}

TEST_F(MixedBenchmark, StopEndsTheRunAfterAProgressPoint) {
  BenchEngine engine(host, ".", testing::SequenceTicks({0, 250, 500, 1234}), work);
  host.engine = &engine;
  host.stopAtDispatch = 2;
  host.Select(8);
  stressState = 1;
  const RunOutcome outcome = engine.OnStartBench();
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.found, 20000);  // no further prime recorded by the float search
  EXPECT_EQ(stressState, 2);
  EXPECT_EQ(stopFlag, 1);
  EXPECT_EQ(engine.board().m_yourTime8, "1.2340");
  EXPECT_EQ(engine.board().m_status, "Time Elapsed : 1.2340 sec.");
}

}  // namespace
}  // namespace tallyforge

#include "factorise.h"

#include <gtest/gtest.h>

#include "formats.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

TEST(FactorBenchmark, LongLinesAreCutNotOverrun) {
  Factors factors;
  factors.count = kMaxFactors;
  factors.values.fill(1000000007);
  char line[kFactorLineSize + 8];
  std::fill(std::begin(line), std::end(line), '#');
  FormatFactorLine(1, factors, line);
  EXPECT_EQ(std::string(line).size(), kFactorLineSize - 1);
  EXPECT_EQ(line[kFactorLineSize], '#');
}

class FactorRun : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsurePrimeTable();
    stressState = 0;
  }
  testing::ScratchDir dir;
  testing::FakeHost host;
};

// The first 2,001 numbers of the range: one line each, a progress point every thousand.
TEST_F(FactorRun, WritesALinePerNumberAndShowsProgressThenItsTime) {
  Workload work = Workload::Standard();
  work.factorLast = 1000002000;
  BenchEngine engine(host, dir.path(), testing::SequenceTicks({0, 100, 200, 300, 4567}), work);
  host.Select(9);
  std::vector<std::string> shown;
  host.onDispatch = [&](int) {
    shown.push_back(host.pushed.back().m_yourTime9 + " " + host.pushed.back().m_status);
  };
  const RunOutcome outcome = engine.OnStartBench();
  EXPECT_TRUE(outcome.ok());
  const auto lines = Lines(ReadTextFile(dir / "Factors.txt"));
  ASSERT_EQ(lines.size(), 2001u);
  EXPECT_EQ(lines.front(), "1000000000 =   2  2  2  2  2  2  2  2  2  5  5  5  5  5  5  5  5  5");
  EXPECT_EQ(lines[7], "1000000007 =  Prime");
  EXPECT_EQ(lines.back(), "1000002000 =   2  2  2  2  3  5  5  5  166667");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.ends_with(" Prime"); }),
            99);
  EXPECT_EQ(shown, (std::vector<std::string>{"000% Time Elapsed : 0.1000 sec.",
                                             "005% Time Elapsed : 0.2000 sec.",
                                             "010% Time Elapsed : 0.3000 sec."}));
  EXPECT_EQ(engine.board().m_yourTime9, "4.5670");
  EXPECT_EQ(engine.board().m_status, "Time Elapsed : 4.5670 sec.");
}

TEST_F(FactorRun, StopEndsAtAMultipleOfOneThousandAndRerunsOverwrite) {
  Workload work = Workload::Standard();
  work.factorLast = 1000005000;
  BenchEngine engine(host, dir.path(), MonotonicTicks, work);
  host.engine = &engine;
  host.stopAtDispatch = 2;
  host.Select(9);
  stressState = 1;
  RunOutcome outcome = engine.OnStartBench();
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(stressState, 2);
  EXPECT_EQ(stopFlag, 1);
  auto lines = Lines(ReadTextFile(dir / "Factors.txt"));
  ASSERT_EQ(lines.size(), 1001u);
  EXPECT_TRUE(lines.back().starts_with("1000001000 = ")) << lines.back();

  work.factorLast = 1000000020;
  BenchEngine again(host, dir.path(), MonotonicTicks, work);
  host.stopAtDispatch = 0;
  outcome = again.OnStartBench();
  EXPECT_FALSE(outcome.stopped);
  lines = Lines(ReadTextFile(dir / "Factors.txt"));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_TRUE(lines.front().starts_with("1000000000 = "));
}

}  // namespace
}  // namespace tallyforge

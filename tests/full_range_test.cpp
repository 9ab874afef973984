// The full work of every benchmark, as a stress run does it: minutes, under the label "full".
#include <gtest/gtest.h>

#include "test_support.h"
#include "verification.h"

namespace tallyforge {
namespace {

TEST(FullStressRun, EveryFileHoldsItsFullCount) {
  testing::EnsurePrimeTable();
  testing::ScratchDir dir;
  testing::FakeHost host;
  BenchEngine engine(host, dir.path());
  const StressOutcome outcome = engine.OnStressBench();
  ASSERT_TRUE(outcome.scored);
  const int counts[] = {74521, 61714, 54152, 48328, 43438, 39215, 36221};
  for (int row = 1; row <= kRangeBenchCount; ++row) {
    const std::string text =
        testing::ReadFile(dir / NumbersFileName(engine.workload().ranges[row - 1].start));
    EXPECT_TRUE(text.ends_with("\n\nPrime Found : " + std::to_string(counts[row - 1]) + "\n"))
        << row;
  }
  EXPECT_EQ(outcome.runs[7].found, 664579);
  const std::string factors = testing::ReadFile(dir / "Factors.txt");
  EXPECT_EQ(factors.size(), 663546u);
  EXPECT_EQ(std::count(factors.begin(), factors.end(), '\n'), 20001);
  EXPECT_EQ(engine.board().m_totalScore, "0\n");  // no Reference.txt
  for (const RunOutcome& run : outcome.runs) {
    const Verification check = VerifyRun(run, engine.workload());
    EXPECT_TRUE(check.ok()) << VerificationText(check);
    EXPECT_EQ(check.checked, run.found) << run.bench;
  }
}

}  // namespace
}  // namespace tallyforge

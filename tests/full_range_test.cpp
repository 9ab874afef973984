// The full work of every benchmark, as a stress run does it: minutes, under the label "full".
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "test_support.h"
#include "verification.h"

namespace tallyforge {
namespace {

TEST(FullStressRun, EveryFileHoldsItsFullCount) {
  testing::EnsurePrimeTable();
  testing::ScratchDir dir;
  testing::FakeHost host;
  BenchEngine engine(host, dir.path());
  std::array<std::vector<std::string>, kRowCount + 1> progress;  // each row's progress texts
  host.onDispatch = [&](int) {
    const int bench = static_cast<int>(std::find(host.checked.begin(), host.checked.end(), true) -
                                       host.checked.begin());
    progress[bench].push_back(host.pushed.back().yourTime(bench));
  };
  const StressOutcome outcome = engine.OnStressBench();
  ASSERT_TRUE(outcome.scored);
  struct Points { int bench; size_t count; const char* first; const char* last; };
  for (const Points& p : {Points{1, 7, "011%", "093%"}, Points{8, 66, "001%", "099%"},
                          Points{9, 21, "000%", "100%"}}) {
    ASSERT_EQ(progress[p.bench].size(), p.count) << p.bench;
    EXPECT_EQ(progress[p.bench].front(), p.first) << p.bench;
    EXPECT_EQ(progress[p.bench].back(), p.last) << p.bench;
  }
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
  const auto lines = testing::Lines(factors);
  ASSERT_EQ(lines.size(), 20001u);
  EXPECT_EQ(lines.back(), "1000020000 =   2  2  2  2  2  3  5  5  5  5  7  2381");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.ends_with(" Prime"); }),
            958);
  EXPECT_EQ(engine.board().m_totalScore, "0\n");  // no Reference.txt
  for (const RunOutcome& run : outcome.runs) {
    const Verification check = VerifyRun(run, engine.workload());
    EXPECT_TRUE(check.ok()) << VerificationText(check);
    EXPECT_EQ(check.checked, run.found) << run.bench;
  }
}

}  // namespace
}  // namespace tallyforge

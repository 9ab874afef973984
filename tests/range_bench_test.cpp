#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <utility>

#include "formats.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

class RangeBenchmark : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsurePrimeTable();
    stopFlag = 1;
    stressState = 0;
  }
  ScratchDir dir;
  FakeHost host;
};

// B1 over its first 500,000 numbers: the file, each progress point's cells, then the row.
TEST_F(RangeBenchmark, B1WritesItsPrimesShowsItsProgressThenItsTime) {
  testing::WriteFile(dir / "Reference.txt", "10\n");
  Workload work = Workload::Standard();
  work.ranges[0].end = 500000;
  BenchEngine engine(host, dir.path(), testing::SequenceTicks({1000, 1500, 2250, 3234}), work);
  engine.ReadReferenceTimes();
  host.Select(1);
  std::vector<std::string> shown;
  host.onDispatch = [&](int) {
    shown.push_back(host.pushed.back().m_yourTime1 + " " + host.pushed.back().m_status);
  };
  const RunOutcome outcome = engine.OnStartBench();
  EXPECT_TRUE(outcome.ok());
  EXPECT_FALSE(outcome.stopped);

  const std::vector<std::string> lines = Lines(ReadTextFile(dir / "Numbers_0000000000005.txt"));
  ASSERT_EQ(lines.size(), 20805u + 2);
  const std::vector<std::string> first(lines.begin(), lines.begin() + 8);
  EXPECT_EQ(first, (std::vector<std::string>{"0000000000002", "0000000000003", "0000000000005",
                                             "0000000000011", "0000000000017", "0000000000023",
                                             "0000000000029", "0000000000041"}));
  EXPECT_EQ(lines[10000 - 1], "0000000224291");  // the first progress point
  EXPECT_EQ(lines[lines.size() - 3], "0000000499979");
  EXPECT_EQ(lines[lines.size() - 2], "");
  EXPECT_EQ(lines.back(), "Prime Found : 20805");
  // The candidate's place in a width of two million, counted back from the range's end.
  EXPECT_EQ(shown, (std::vector<std::string>{"086% Time Elapsed : 0.5000 sec.",
                                             "098% Time Elapsed : 1.2500 sec."}));
  EXPECT_EQ(engine.board().m_yourTime1, "2.2340");
  EXPECT_EQ(engine.board().m_percent1, "447%");
  EXPECT_EQ(engine.board().m_status, "Time Elapsed : 2.2340 sec.");
  EXPECT_EQ(stopFlag, 1);
}

TEST_F(RangeBenchmark, StopEndsAtTheReportedPrime) {
  Workload work = Workload::Standard();
  work.ranges[1].reportInterval = 50;
  BenchEngine engine(host, dir.path(), testing::SequenceTicks({0, 100, 200, 300, 1234}), work);
  host.engine = &engine;
  host.stopAtDispatch = 3;
  host.Select(2);
  stressState = 1;
  const RunOutcome outcome = engine.OnStartBench();
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(stressState, 2);
  EXPECT_EQ(stopFlag, 1);
  const auto lines = Lines(ReadTextFile(dir / "Numbers_0000010000005.txt"));
  ASSERT_EQ(lines.size(), 152u);
  EXPECT_EQ(lines[149].size(), 13u);  // the prime that was reported, then the closing lines
  EXPECT_EQ(lines[150], "");
  EXPECT_EQ(lines.back(), "Prime Found : 150");
  EXPECT_EQ(engine.board().m_yourTime2, "1.2340");
  EXPECT_EQ(engine.board().m_status, "Time Elapsed : 1.2340 sec.");

  for (const int before : {0, 2}) {
    stressState = before;
    host.dispatches = 0;
    engine.OnStartBench();
    EXPECT_EQ(stressState, before);
  }
}

// Whatever is in an output file's place that is not a regular file of one name (perhaps planted
// in a shared folder) is neither written through nor waited on: that benchmark does not run.
TEST_F(RangeBenchmark, OutputFilesAreNeverWrittenThroughLinksNorWaitedOn) {
  int reader = -1;
  struct Case {
    const char* what;
    int bench;
    std::function<void(const std::filesystem::path&)> plant;
    int error;
  };
  const Case cases[] = {
      {"link to a file", 1, [&](auto& p) { std::filesystem::create_symlink(dir / "victim", p); }, ELOOP},
      {"dangling link", 9, [&](auto& p) { std::filesystem::create_symlink(dir / "absent", p); }, ELOOP},
      {"hard link", 1, [&](auto& p) { std::filesystem::create_hard_link(dir / "victim", p); }, EMLINK},
      {"FIFO", 1, [](auto& p) { testing::MakeFifo(p); }, ENXIO},
      {"FIFO with a reader", 9,
       [&](auto& p) {
         testing::MakeFifo(p);
         reader = testing::OpenFifoReader(p);
       },
       ENXIO},
      {"directory", 1, [](auto& p) { std::filesystem::create_directory(p); }, EISDIR},
  };
  for (const Case& c : cases) {
    if (!testing::kFolderFifos && std::string_view(c.what).starts_with("FIFO")) continue;
    testing::ScratchDir work;
    testing::WriteFile(dir / "victim", "keep\n");
    const Workload quiet = testing::QuietWorkload();
    try {
      c.plant(work / (c.bench == 9 ? kFactorsFileName : NumbersFileName(quiet.ranges[0].start)));
    } catch (const std::filesystem::filesystem_error& e) {
      std::printf("%s: cannot be planted here (%s)\n", c.what, e.what());  // links under Wine
      continue;
    }
    BenchEngine engine(host, work.path(), MonotonicTicks, quiet);
    host = FakeHost{};
    host.Select(c.bench);
    stressState = 1;
    const RunOutcome outcome = engine.OnStartBench();
    if (reader >= 0) ::close(std::exchange(reader, -1));
    EXPECT_FALSE(outcome.ran) << c.what;
    EXPECT_EQ(outcome.fileError, c.error) << c.what;
    EXPECT_TRUE(FileProblemText(outcome).starts_with(BenchmarkName(c.bench) + " not run: cannot create "))
        << c.what;
    EXPECT_EQ(engine.board(), ResultBoard{}) << c.what;
    EXPECT_TRUE(host.pushed.empty()) << c.what;
    EXPECT_EQ(host.finished.size(), 1u) << c.what;
    EXPECT_EQ(stopFlag, 1) << c.what;
    EXPECT_EQ(stressState, 1) << c.what;
    EXPECT_EQ(testing::ReadFile(dir / "victim"), "keep\n") << c.what;
    EXPECT_FALSE(std::filesystem::exists(dir / "absent")) << c.what;
  }
}

TEST_F(RangeBenchmark, SelectionPrefersB8ThenB9ThenTheHighestRange) {
  BenchEngine engine(host, dir.path(), MonotonicTicks, testing::QuietWorkload());
  host.checked.fill(false);
  host.checked[2] = host.checked[5] = true;
  EXPECT_EQ(engine.OnStartBench().bench, 5);
  host.checked[9] = true;
  EXPECT_EQ(engine.OnStartBench().bench, 9);
  host.checked[8] = true;
  EXPECT_EQ(engine.OnStartBench().bench, 8);
  host.checked.fill(false);
  EXPECT_FALSE(engine.OnStartBench().ran);  // nothing selected, nothing run
}

}  // namespace
}  // namespace tallyforge

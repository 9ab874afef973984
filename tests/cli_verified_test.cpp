// The runner's checks of its results and its stability mode, through the runner built with the
// test hooks: short work, and a result damaged on request.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "cli_support.h"
#include "folder_lock.h"

namespace tallyforge {
namespace {

using testing::CliResult;

CliResult RunHooked(const testing::ScratchDir& dir, const std::string& args,
                    const std::string& damage = "", const std::string& wrapper = "") {
  std::string env = "env TALLYFORGE_TEST_SHORT_WORK=1";
  if (!damage.empty()) env += " TALLYFORGE_TEST_DAMAGE=" + damage;
  return testing::RunBinary(TALLYFORGE_CLI_TESTHOOKS_PATH, dir, args, wrapper + " " + env);
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CliCheck, ADamagedResultIsReportedAndExitsWithThree) {
  for (const std::string bench : {"B3", "B8", "B9"}) {
    testing::ScratchDir dir;
    const CliResult result = RunHooked(dir, "B2 " + bench, bench);
    EXPECT_EQ(result.exitCode, 3) << bench << result.err;
    EXPECT_TRUE(Has(result.err, bench + " computed a wrong result: WRONG at ")) << result.err;
    const auto lines = testing::Lines(result.out);
    ASSERT_EQ(lines.size(), 5u) << result.out;
    EXPECT_TRUE(lines[2].starts_with("  verified: ")) << lines[2];  // B2 was not damaged
    EXPECT_TRUE(lines[4].starts_with("  WRONG at ")) << lines[4];
    EXPECT_TRUE(Has(lines[4], bench == "B8" ? "of the float table" : " of ")) << lines[4];
    EXPECT_TRUE(Has(lines[4], "expected \"")) << lines[4];
  }
}

TEST(StabilityMode, StopsAtTheFirstWrongResultAndSaysWhereAndWhen) {
  testing::ScratchDir dir;
  const CliResult result = RunHooked(dir, "--loop", "B5@2");
  EXPECT_EQ(result.exitCode, 3) << result.err;
  EXPECT_TRUE(Has(result.out, "\npass 1  00:00:0")) << result.out;
  EXPECT_TRUE(Has(result.out, "  score 0  verified\nB1 ")) << result.out;
  EXPECT_TRUE(Has(result.out, "\npass 2  00:00:0")) << result.out;
  EXPECT_TRUE(Has(result.out, "  WRONG\nstability: FAILED in pass 2, 00:00:0")) << result.out;
  EXPECT_TRUE(Has(result.out, ": B5 WRONG at line ")) << result.out;
  EXPECT_TRUE(Has(result.out, " of Numbers_0010000000005.txt: found ")) << result.out;
  // The failing pass ends at B5: B6 to B9 do not run again.
  const std::string secondPass = result.out.substr(result.out.find("\npass 1 "));
  EXPECT_FALSE(Has(secondPass, "\nB6 ")) << result.out;
  EXPECT_TRUE(Has(result.out, "stability: 1 complete pass in ")) << result.out;
  EXPECT_TRUE(Has(result.out, "verified before the failure")) << result.out;
}

TEST(StabilityMode, ADurationEndsWithASummaryOfVerifiedPasses) {
  testing::ScratchDir dir;
  testing::WriteFile(dir / "Reference.txt", "1\n1\n1\n1\n1\n1\n1\n1\n1\n");
  const CliResult result = RunHooked(dir, "stress --duration 1s");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "\npass 1  00:00:0")) << result.out;
  EXPECT_TRUE(Has(result.out, "  verified\n")) << result.out;
  EXPECT_TRUE(Has(result.out, " complete pass")) << result.out;
  EXPECT_TRUE(Has(result.out, ", every result verified; score ")) << result.out;
  EXPECT_FALSE(Has(result.out, "WRONG")) << result.out;
}

TEST(CliInputs, UnusableDirectoriesAndReferenceFilesGiveClearMessages) {
  testing::ScratchDir dir;
  std::filesystem::create_directory(dir / "locked");
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_exec);
  CliResult result = RunHooked(dir, "-C locked B2");
  if (::access((dir / "locked").c_str(), W_OK) != 0) {  // root may write anyway
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Has(result.err, "B2 not run: cannot create")) << result.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir / "locked"));
  }

  testing::WriteFile(dir / "plain", "");
  result = RunHooked(dir, "--dir plain B2");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(Has(result.err, "--dir plain: not a directory")) << result.err;

  std::filesystem::create_directory(dir / "Reference.txt");
  result = RunHooked(dir, "B2");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Has(result.err, "Reference.txt is not a regular file")) << result.err;
  std::filesystem::remove(dir / "Reference.txt");

  ASSERT_EQ(::mkfifo((dir / "Reference.txt").c_str(), 0600), 0);
  result = RunHooked(dir, "B2", "", "timeout 20");
  EXPECT_EQ(result.exitCode, 0) << result.err;  // a FIFO without a writer does not hang it
  EXPECT_TRUE(Has(result.err, "Reference.txt is not a regular file")) << result.err;
  std::filesystem::remove(dir / "Reference.txt");

  testing::WriteFile(dir / "Reference.txt", "2.5\n" + std::string(8 << 20, '7'));
  result = RunHooked(dir, "B1");  // only the first lines are read
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Has(result.out, " 2.5 ")) << result.out;
}

// A Ctrl-C ends the list of benchmarks wherever it lands: mid-run, or at the last progress point
// of a run whose work was then complete.
TEST(CliStop, CtrlCEndsTheListWhereverItLands) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"B2 B1", "B2@1", "  (stopped)\n"},
      {"B9 B1", "B9@1", "  (stopped as its work ended)\n  verified: 601 numbers factored"},
  };
  for (const auto& [args, point, row] : cases) {
    testing::ScratchDir dir;
    const CliResult result = RunHooked(dir, args, "", "env TALLYFORGE_TEST_INTERRUPT=" + point);
    EXPECT_EQ(result.exitCode, 130) << args << result.err;
    EXPECT_TRUE(Has(result.out, row)) << args << result.out;
    EXPECT_FALSE(Has(result.out, "\nB1 ")) << args << result.out;
  }
  testing::ScratchDir dir;
  RunHooked(dir, "B2", "", "env TALLYFORGE_TEST_INTERRUPT=B2@1");
  const auto lines = testing::Lines(testing::ReadFile(dir / "Numbers_0000010000005.txt"));
  EXPECT_EQ(lines.back(), "Prime Found : 40");  // the prime of the progress point was the last
}

// Descriptors 0 to 2 closed at start: an output file never takes their place, so neither
// progress lines nor rows land in it (its check would find them).
TEST(CliStreams, ClosedStandardStreamsNeverBecomeOutputFiles) {
  for (const std::string closed : {"2>&-", ">&-", "<&- >&- 2>&-"}) {
    testing::ScratchDir dir;
    const CliResult result = RunHooked(dir, "B2 B9", "", "sh -c 'exec \"$0\" \"$@\" " + closed + "'");
    EXPECT_EQ(result.exitCode, 0) << closed << result.err;
    const std::string numbers = testing::ReadFile(dir / "Numbers_0000010000005.txt");
    EXPECT_TRUE(numbers.ends_with("\nPrime Found : 44\n")) << closed;
    EXPECT_FALSE(Has(numbers, "B2")) << closed << numbers;
    EXPECT_FALSE(Has(testing::ReadFile(dir / "Factors.txt"), "B9")) << closed;
  }
}

// One run per folder: a second run in a folder in use says so, naming the folder and the other
// process, and leaves the first undisturbed; a link in the lock file's place is never followed.
TEST(CliFolder, ASecondRunInAFolderInUseIsRefused) {
  testing::ScratchDir dir;
  const std::string second = "env TALLYFORGE_TEST_SHORT_WORK=1 '" +
                             std::string(TALLYFORGE_CLI_TESTHOOKS_PATH) +
                             "' B1 > second.out 2> second.err; echo $? > second.status; echo $pid > first.pid";
  const CliResult first = testing::RunBinaryUntil(TALLYFORGE_CLI_TESTHOOKS_PATH, dir, "--loop", "cli.out",
                                                  "pass 1 ", "env TALLYFORGE_TEST_SHORT_WORK=1", second);
  EXPECT_EQ(testing::ReadFile(dir / "second.status"), "75\n");
  const std::string pid = testing::Lines(testing::ReadFile(dir / "first.pid")).at(0);
  EXPECT_EQ(testing::ReadFile(dir / "second.err"),
            "tallyforge-cli: the folder " + dir.path().string() + " is in use by another run (process " +
                pid + ", tallyforge-cli-testhooks); one run at a time per folder: wait for it to "
                "end, or use another folder\n");
  EXPECT_EQ(testing::ReadFile(dir / "second.out"), "");
  // The first, a stability run, ends with its Ctrl-C, every result right.
  EXPECT_EQ(first.exitCode, 130) << first.err;
  EXPECT_TRUE(Has(first.out, "\npass 1  00:00:0")) << first.out;
  EXPECT_TRUE(Has(first.out, "\nstability: ")) << first.out;
  EXPECT_FALSE(Has(first.out, "WRONG")) << first.out;

  testing::WriteFile(dir / "victim", "keep\n");
  std::filesystem::remove(dir / kFolderLockName);
  std::filesystem::create_symlink(dir / "victim", dir / kFolderLockName);
  const CliResult linked = RunHooked(dir, "B1");
  EXPECT_EQ(linked.exitCode, 1);
  EXPECT_TRUE(Has(linked.err, "cannot lock the folder " + dir.path().string() + ": ")) << linked.err;
  EXPECT_EQ(testing::ReadFile(dir / "victim"), "keep\n");
}

}  // namespace
}  // namespace tallyforge

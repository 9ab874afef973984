// The terminal runner as a user meets it: its exit codes, rows and messages.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli_support.h"

namespace tallyforge {
namespace {

using testing::CliResult;

CliResult RunCli(const testing::ScratchDir& dir, const std::string& args,
                 const std::string& wrapper = "") {
  return testing::RunBinary(TALLYFORGE_CLI_PATH, dir, args, wrapper);
}

TEST(Cli, BadArgumentsExitWithTwoAndSayWhy) {
  testing::ScratchDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"B10", "unknown benchmark 'B10'"},
      {"B1 b1", "named twice"},
      {"stress B2", "stands alone"},
      {"--dir nowhere B1", "no such directory"},
      {"--frobnicate", "frobnicate"},
      {"--duration 0", "expected a time"},
      {"--duration 5x", "expected a time"},
      {"--duration 1h30", "expected a time"},
      {"--duration", "--duration"},
      {"--loop B1", "name no benchmarks"},
      {"B1 --duration 1m", "name no benchmarks"},
  };
  for (const auto& [args, message] : cases) {
    const CliResult result = RunCli(dir, args);
    EXPECT_EQ(result.exitCode, 2) << args;
    EXPECT_NE(result.err.find(message), std::string::npos) << args << ": " << result.err;
    EXPECT_EQ(result.out, "") << args;
  }
}

TEST(Cli, HelpAndVersion) {
  testing::ScratchDir dir;
  CliResult result = RunCli(dir, "--help");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("--dir"), std::string::npos);
  result = RunCli(dir, "--version");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("tallyforge-cli 1.0.0.1"), std::string::npos);
}

TEST(Cli, RunPrintsTheRowAgainstTheReference) {
  testing::ScratchDir dir;
  std::filesystem::create_directory(dir / "work");
  testing::WriteFile(dir / "work" / "Reference.txt", "2.5\n");
  const CliResult result = RunCli(dir, "-C work B1");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const auto rows = testing::Lines(result.out);
  ASSERT_EQ(rows.size(), 3u) << result.out;
  EXPECT_EQ(rows[1].substr(0, 2), "B1");
  EXPECT_NE(rows[1].find(" 2.5 "), std::string::npos) << rows[1];
  EXPECT_EQ(rows[1].back(), '%');
  EXPECT_TRUE(rows[2].starts_with("  verified: 74521 primes (check ")) << rows[2];
  EXPECT_TRUE(testing::ReadFile(dir / "work" / "Numbers_0000000000005.txt")
                  .ends_with("\nPrime Found : 74521\n"));
}

TEST(Cli, FileProblemsExitWithOne) {
  testing::ScratchDir dir;
  std::filesystem::create_directory(dir / "Factors.txt");
  CliResult result = RunCli(dir, "B9");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("B9 not run: cannot create"), std::string::npos) << result.err;

  std::filesystem::create_symlink("/dev/full", dir / "Numbers_0000000000005.txt");
  result = RunCli(dir, "B1");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("the file is incomplete"), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("\nB1 "), std::string::npos);  // the row still shows its time
}

TEST(Cli, CtrlCStopsTheRunningBenchmark) {
  testing::ScratchDir dir;
  const CliResult result =
      testing::RunBinaryUntil(TALLYFORGE_CLI_PATH, dir, "B7 B1", "cli.err", "B7 ");
  EXPECT_EQ(result.exitCode, 130) << result.err;
  EXPECT_NE(result.out.find("(stopped)"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("\nB1 "), std::string::npos);  // the list ends with the stop
  const auto lines = testing::Lines(testing::ReadFile(dir / "Numbers_1000000000005.txt"));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(std::stoi(lines.back().substr(14)) % 500, 0) << lines.back();
}

}  // namespace
}  // namespace tallyforge

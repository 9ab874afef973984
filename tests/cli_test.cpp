// The terminal runner as a user meets it: its exit codes, rows and messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

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
  EXPECT_NE(result.out.find("75 when another run is using the folder"), std::string::npos);
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

  // A disk that fills up: writes beyond 64 KB fail (EFBIG) instead of stopping the process.
  result = RunCli(dir, "B1", "trap '' XFSZ; ulimit -f 128;");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("the file is incomplete"), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("\nB1 "), std::string::npos);  // the row still shows its time
}

// The document's documented fields and their JSON types, as README lists them.
void ExpectDocumentSchema(const nlohmann::json& doc) {
  using nlohmann::json;
  const std::pair<const char*, json::value_t> fields[] = {
      {"/schema", json::value_t::string},           {"/schema_version", json::value_t::number_unsigned},
      {"/program/version", json::value_t::string},  {"/program/commit", json::value_t::string},
      {"/program/compiler", json::value_t::string}, {"/program/flags", json::value_t::string},
      {"/time", json::value_t::string},             {"/mode", json::value_t::string},
      {"/machine/cpu_model", json::value_t::string},
      {"/machine/logical_cores", json::value_t::number_unsigned},
      {"/machine/memory_bytes", json::value_t::number_unsigned},
      {"/machine/kernel", json::value_t::string},   {"/reference/file", json::value_t::string},
      {"/reference/times", json::value_t::array},   {"/runs", json::value_t::array},
      {"/benchmarks", json::value_t::array},        {"/total_score/passes", json::value_t::array},
      {"/integrity/figures_sha256", json::value_t::string},
  };
  for (const auto& [pointer, type] : fields) {
    const json::json_pointer at(pointer);
    ASSERT_TRUE(doc.contains(at)) << pointer;
    EXPECT_EQ(doc[at].type(), type) << pointer;
  }
  EXPECT_EQ(doc["schema"], "tallyforge-result");
}

TEST(Cli, JsonDocumentMatchesTheRowsAndPassesCheck) {
  testing::ScratchDir dir;
  testing::WriteFile(dir / "Reference.txt", "2.5\n");
  CliResult result = RunCli(dir, "B1 --repeat 2 --json result.json");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto doc = nlohmann::json::parse(testing::ReadFile(dir / "result.json"));
  ExpectDocumentSchema(doc);
  std::vector<std::string> rows;  // the board's rows: not the checks under them
  for (const std::string& line : testing::Lines(result.out)) {
    if (line.starts_with("B1 ") && rows.size() < 2) rows.push_back(line);  // not the statistics
  }
  ASSERT_EQ(rows.size(), 2u) << result.out;
  ASSERT_EQ(doc["runs"].size(), 2u);
  for (int pass = 0; pass < 2; ++pass) {
    const auto& run = doc["runs"][pass];
    const std::string& row = rows[pass];
    std::string yourTime = " ";
    yourTime += run["cells"]["your_time"].get<std::string>();
    yourTime += ' ';
    EXPECT_NE(row.find(yourTime), std::string::npos) << row;
    EXPECT_TRUE(row.ends_with(run["cells"]["percent"].get<std::string>())) << row;
    EXPECT_EQ(run["percent"], std::atoi(run["cells"]["percent"].get<std::string>().c_str()));
    EXPECT_EQ(run["ticks"].get<double>() * 0.001f, run["seconds"].get<double>());
    EXPECT_EQ(run["progress_seconds"].size(), 7u);  // every 10,000 of B1's 74,521 primes
    EXPECT_EQ(run["verification"]["status"], "verified");
    EXPECT_EQ(run["verification"]["checked"], 74521);
  }
  EXPECT_EQ(doc["benchmarks"][0]["seconds"]["count"], 2);
  EXPECT_NE(result.out.find("95% CI of the median"), std::string::npos) << result.out;

  result = RunCli(dir, "check result.json");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("B1 pass 2 Numbers_0000000000005.txt: matches the expected answer"),
            std::string::npos) << result.out;

  std::string text = testing::ReadFile(dir / "result.json");
  const std::string ticks = "\"ticks\": " + std::to_string(doc["runs"][0]["ticks"].get<int>());
  ASSERT_NE(text.find(ticks), std::string::npos);
  text.replace(text.find(ticks), ticks.size(), "\"ticks\": 1");
  testing::WriteFile(dir / "edited.json", text);
  result = RunCli(dir, "check edited.json");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("EDITED"), std::string::npos) << result.out;

  testing::WriteFile(dir / "broken.json", "{\"schema\": ");
  EXPECT_EQ(RunCli(dir, "check broken.json").exitCode, 2);
}

TEST(Cli, JobsTwoGiveTwoCompleteVerifiedSeparateResultSets) {
  testing::ScratchDir dir;
  testing::WriteFile(dir / "Reference.txt", "2.5\n");
  const CliResult result = RunCli(dir, "--jobs 2 B1 --json jobs.json");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const char* folder : {"job-1-of-1", "job-1-of-2", "job-2-of-2"}) {
    const std::string document = std::string(folder) + "/result.json";
    const CliResult check = RunCli(dir, "check " + document);
    EXPECT_EQ(check.exitCode, 0) << folder << ": " << check.out;
    EXPECT_NE(check.out.find("matches the expected answer"), std::string::npos) << check.out;
    EXPECT_TRUE(std::filesystem::exists(dir / folder / "Numbers_0000000000005.txt")) << folder;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "Numbers_0000000000005.txt"));  // nothing shared
  const auto doc = nlohmann::json::parse(testing::ReadFile(dir / "jobs.json"));
  ASSERT_EQ(doc["jobs"].size(), 2u);
  EXPECT_EQ(doc["jobs"][1]["copies"], 2);
  EXPECT_EQ(doc["jobs"][0]["efficiency"], 1.0);
  EXPECT_GT(doc["jobs"][1]["throughput"].get<double>(), 0.0);
  EXPECT_NE(result.out.find("Throughput vs one copy"), std::string::npos) << result.out;
  EXPECT_EQ(RunCli(dir, "--jobs 0 B1").exitCode, 2);
  EXPECT_EQ(RunCli(dir, "--jobs 3..2 B1").exitCode, 2);
}

TEST(Cli, CommandsTakeTheirDocuments) {
  testing::ScratchDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"check", "takes one result document"},
      {"compare a.json", "takes two result documents"},
      {"calibrate B1", "stands alone"},
  };
  for (const auto& [args, message] : cases) {
    const CliResult result = RunCli(dir, args);
    EXPECT_EQ(result.exitCode, 2) << args;
    EXPECT_NE(result.err.find(message), std::string::npos) << args << ": " << result.err;
  }
  EXPECT_EQ(RunCli(dir, "B1 --json /nonexistent/dir/r.json").exitCode, 1);
}

}  // namespace
}  // namespace tallyforge

// The terminal runner as a user meets it: its exit codes, rows, messages and documents.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>

#include "cli_support.h"
#include "folder_lock.h"

namespace tallyforge {
namespace {

using nlohmann::json;
using namespace testing;

CliResult RunCli(const testing::ScratchDir& dir, const std::string& args,
                 const std::string& wrapper = "") {
  return testing::RunBinary(TALLYFORGE_CLI_PATH, dir, args, wrapper);
}

// --help and --version exit with 0; bad arguments, and options that do not go together, with 2.
TEST(Cli, HelpVersionAndBadArgumentsSayWhatTheyMustAndRunNothing) {
  testing::ScratchDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"B10", "unknown benchmark 'B10'"},
      {"B1 b1", "named twice"},
      {"stress B2", "stands alone"},
      {"--dir nowhere B1", "no such directory"},
      {"--dir " + std::string(5000, 'x') + " B1", ": File name too long"},
      {"--frobnicate", "frobnicate"},
      {"--duration 0", "expected a time"},
      {"--duration 1h30", "expected a time"},
      {"--duration 2600000h", "at most 8760h"},
      {"--duration ''", "--duration '': expected a time"},
      {"--duration", "--duration"},
      {"--loop B1", "name no benchmarks"},
      {"--repeat 0x10 B1", "--repeat '0x10': expected a whole number"},
      {"--repeat 0 B1", "from 1 to 100000"},
      {"--jobs '' B1", "--jobs '': expected a count"},
      {"--json '' B1", "--json: expected a file name"},
      {"calibrate --jobs 2", "calibrate runs one copy of the stress run: --jobs does not apply"},
      {"calibrate B1", "name no benchmarks"},
      {"check", "FILE is required"},
      {"check a.json --json b.json", "check reads result documents and runs nothing: --json"},
      {"--repeat 2 check a.json", "--repeat does not apply"},
      {"check a.json --jobs 2", "--jobs does not apply"},
      {"check a.json b.json", "check takes one result document"},
      {"compare a.json", "FILES"},
      {"report a.json", "--output is required"},
      {"report -o r.html", "FILES is required"},
      {"report a.json -o .", "report -o .: is a folder; to write the SVG files into it, end the "
                             "name with / (./)"},
      {"report a.json b.json -o ./b.json", "report -o ./b.json: is one of the documents read"},
      {"report a.json -o d/.tallyforge.lock", "is a folder's lock file (.tallyforge.lock)"},
      {"report a.json -o r.html", "a.json cannot be read"},
      // On standard output, with exit code 0:
      {"--help", "75 when another run is using the folder"},
      {"--help", "calibrate"},
      {"--help", "--dir"},
      {"check --help", "FILE"},
      {"--version", "tallyforge-cli 1.0.0.1"},
  };
  for (const auto& [args, message] : cases) {
    const CliResult result = RunCli(dir, args);
    const bool help = args.ends_with("--help") || args == "--version";
    EXPECT_EQ(result.exitCode, help ? 0 : 2) << args;
    ExpectHas(help ? result.out : result.err, {message});
    EXPECT_TRUE(help || result.out.empty()) << args << ": " << result.out;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // nothing ran, nothing was written
}

TEST(Cli, FileProblemsExitWithOne) {
  testing::ScratchDir dir;
  std::filesystem::create_directory(dir / "Factors.txt");
  CliResult result = RunCli(dir, "B9");
  EXPECT_EQ(result.exitCode, 1);
  ExpectHas(result.err, {"B9 not run: cannot create"});

  // A file-size limit is a disk that fills up: writes beyond 128 KB fail (EFBIG), and the row
  // still shows its time.
  result = RunCli(dir, "B1", "ulimit -f 128;");
  EXPECT_EQ(result.exitCode, 1);
  ExpectHas(result.err, {"the file is incomplete"});
  ExpectHas(result.out, {"\nB1 ", "\n  not checked: the file is incomplete (File too large)"});
  EXPECT_EQ(RunCli(dir, "B1 --json /nonexistent/dir/r.json").exitCode, 1);
}

TEST(Cli, JsonDocumentMatchesTheRowsAndPassesCheck) {
  testing::ScratchDir dir;
  testing::WriteFile(dir / "Reference.txt", "2.5\n");
  CliResult result = RunCli(dir, "B1 --repeat 2 --json result.json");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto doc = json::parse(testing::ReadFile(dir / "result.json"));
  std::vector<std::string> rows;  // the board's rows: not the checks under them
  for (const std::string& line : testing::Lines(result.out)) {
    if (line.starts_with("B1 ") && rows.size() < 2) rows.push_back(line);  // not the statistics
  }
  ASSERT_EQ(rows.size(), 2u) << result.out;
  ASSERT_EQ(doc["runs"].size(), 2u);
  for (int pass = 0; pass < 2; ++pass) {
    const auto& run = doc["runs"][pass];
    std::string yourTime = " ";  // appended: g++ 12 warns falsely on " " + text (-Wrestrict)
    yourTime += run["cells"]["your_time"].get<std::string>() + " ";
    ExpectHas(rows[pass], {yourTime, " 2.5 "});  // the time and the reference
    EXPECT_TRUE(rows[pass].ends_with(run["cells"]["percent"].get<std::string>())) << rows[pass];
    EXPECT_EQ(run["ticks"].get<double>() * 0.001f, run["seconds"].get<double>());
    EXPECT_EQ(run["progress_seconds"].size(), 7u);  // every 10,000 of B1's 74,521 primes
    EXPECT_EQ(run["verification"]["checked"], 74521);
  }
  EXPECT_EQ(doc["benchmarks"][0]["seconds"]["count"], 2);
  EXPECT_EQ(doc["finished"], true);
  ExpectHas(result.out, {"95% CI of the median", "\n  verified: 74521 primes (check "});
  EXPECT_TRUE(testing::ReadFile(dir / "Numbers_0000000000005.txt")
                  .ends_with("\nPrime Found : 74521\n"));

  result = RunCli(dir, "check result.json");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  ExpectHas(result.out, {"B1 pass 2: verified: 74521 primes (check ",
                         "; Numbers_0000000000005.txt: matches the expected answer"});

  std::string text = testing::ReadFile(dir / "result.json");
  const std::string ticks = "\"ticks\": " + std::to_string(doc["runs"][0]["ticks"].get<int>());
  ASSERT_TRUE(Has(text, ticks));
  text.replace(text.find(ticks), ticks.size(), "\"ticks\": 1");
  testing::WriteFile(dir / "edited.json", text);
  result = RunCli(dir, "check edited.json");
  EXPECT_EQ(result.exitCode, 1);
  ExpectHas(result.out, {"EDITED"});

  // The report's files appear whole or not at all (what they hold: the report's own tests).
  result = RunCli(dir, "report result.json edited.json -o report.html");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Wrote the report of 2 documents to report.html\n");
  EXPECT_EQ(RunCli(dir, "report result.json -o svg/").exitCode, 0);
  result = RunCli(dir, "report result.json -o -");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out.starts_with("<!DOCTYPE html>"));
  EXPECT_EQ(RunCli(dir, "report result.json -o /dev/full").exitCode, 1);
  EXPECT_EQ(RunCli(dir, "report result.json -o /nonexistent/r.html").exitCode, 1);
  EXPECT_EQ(RunCli(dir, "report result.json -o /nonexistent/svg/").exitCode, 1);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
    const std::string name = entry.path().filename().string();  // no temporary file left
    EXPECT_TRUE(!name.starts_with(".") || name == ".tallyforge.lock") << entry.path();
  }
}

// SIGTERM and SIGHUP stop a run as a Ctrl-C does: the running benchmark ends at its next
// progress point, and its row and the document say so. SIGKILL ends it at once; an earlier
// document stays whole until the first benchmark is done.
TEST(CliSignals, TermAndHupStopTheRunAndKillLeavesAnEarlierDocumentWhole) {
  testing::ScratchDir dir;
  for (const std::string signal : {"TERM", "HUP"}) {
    const CliResult result = testing::RunBinaryUntil(
        TALLYFORGE_CLI_PATH, dir, "B1 B4 --json result.json", "cli.err", "B4 ", "", signal);
    EXPECT_EQ(result.exitCode, 130) << signal << result.err;
    ExpectHas(result.out, {"  (stopped)\n"});
    json doc = json::parse(testing::ReadFile(dir / "result.json"));  // B1's run, then B4's
    EXPECT_EQ(doc["runs"][1]["stopped"], true) << signal;
  }
  testing::WriteFile(dir / "result.json", "earlier\n");
  testing::RunBinaryUntil(TALLYFORGE_CLI_PATH, dir, "B4 --json result.json", "cli.err", "B4 ", "",
                          "KILL");
  EXPECT_EQ(testing::ReadFile(dir / "result.json"), "earlier\n");
}

// A SIGTERM while the document is being replaced (injected as its temporary file reaches the
// disk) is a stop like any other. A second one ends the run at once, and still leaves neither
// the temporary file nor a broken document: that of the benchmarks it finished, which check
// says did not reach its end.
TEST(CliSignals, ATermWhileTheDocumentIsReplacedLeavesNoTemporaryFile) {
  const std::pair<std::string, int> cases[] = {{"when=1", 130}, {"when=1+", 128 + SIGTERM}};
  for (const auto& [when, exitCode] : cases) {
    testing::ScratchDir dir;
    const CliResult result = RunCli(  // (a sanitizer's leak check cannot run under ptrace)
        dir, "B1 B2 --json result.json",
        "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" strace -f -qq -o /dev/null -e trace=fsync "
        "-e inject=fsync:signal=TERM:" + when);
    EXPECT_EQ(result.exitCode, exitCode) << when << result.err;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_FALSE(entry.path().filename().string().starts_with(".result.json")) << entry.path();
    }
    const json doc = json::parse(testing::ReadFile(dir / "result.json"));
    EXPECT_EQ(doc["runs"].size(), 1u) << when;  // B1's; B2 never began
    if (exitCode == 130) continue;
    ExpectHas(RunCli(dir, "check result.json").out, {"did not reach its end"});
  }
}

TEST(CliJobs, TwoCopiesGiveTwoCompleteVerifiedSeparateResultSets) {
  testing::ScratchDir dir;
  testing::WriteFile(dir / "Reference.txt", "2.5\n");
  const CliResult result = RunCli(dir, "--jobs 2 B1 --json jobs.json");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const char* folder : {"job-1-of-1", "job-1-of-2", "job-2-of-2"}) {
    const CliResult check = RunCli(dir, "check " + std::string(folder) + "/result.json");
    EXPECT_EQ(check.exitCode, 0) << folder << ": " << check.out;
    ExpectHas(check.out, {"matches the expected answer"});
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "Numbers_0000000000005.txt"));  // nothing shared
  const auto doc = json::parse(testing::ReadFile(dir / "jobs.json"));
  ASSERT_EQ(doc["jobs"].size(), 2u);
  EXPECT_EQ(doc["jobs"][1]["copies"], 2);
  EXPECT_EQ(doc["jobs"][0]["efficiency"], 1.0);
  EXPECT_GT(doc["jobs"][1]["throughput"].get<double>(), 0.0);
  ExpectHas(result.out, {"Throughput vs one copy"});
  const CliResult check = RunCli(dir, "check jobs.json");  // judged by its copies
  EXPECT_EQ(check.exitCode, 0) << check.out;
  ExpectHas(check.out, {"\njob-2-of-2: complete, every result verified\ncheck: every run "});
  EXPECT_FALSE(Has(RunCli(dir, "report jobs.json -o -").out, "check FAILED"));
}

// Copies that did not complete give no figures: not from a result an earlier invocation left,
// not from the partial times of a stop.
TEST(CliJobs, ACopyThatDidNotCompleteGivesNoFigures) {
  testing::ScratchDir dir;
  std::filesystem::create_directory(dir / "job-2-of-2");
  ASSERT_EQ(RunCli(dir, "-C job-2-of-2 B1 --json job-2-of-2/result.json").exitCode, 0);
  // The second copy killed while it runs B5 (seconds long here); the parent gets no signal.
  const CliResult killed = testing::RunBinaryUntil(
      TALLYFORGE_CLI_PATH, dir, "--jobs 2 B5 --json jobs.json", "cli.err",
      "tallyforge-cli: running 2 copies", "", "0",
      "sleep 0.5; kill -KILL $(cut -d' ' -f2 /proc/$pid/task/$pid/children)");
  EXPECT_EQ(killed.exitCode, 1) << killed.out << killed.err;
  EXPECT_TRUE(std::regex_search(killed.out, std::regex("job-2-of-2 +n/a  INCOMPLETE: killed by signal 9")))
      << killed.out;
  EXPECT_TRUE(std::regex_search(killed.out, std::regex("\n2 +n/a +n/a\n"))) << killed.out;
  const json doc = json::parse(testing::ReadFile(dir / "jobs.json"));
  EXPECT_TRUE(doc["jobs"][1]["throughput"].is_null());
  EXPECT_FALSE(doc["jobs"][1]["results"][1]["complete"]);
  CliResult check = RunCli(dir, "check jobs.json");
  EXPECT_EQ(check.exitCode, 1) << check.out;
  ExpectHas(check.out,
            {"\njob-2-of-2: INCOMPLETE (killed by signal 9)\n", "FAILED: 1 copy incomplete"});

  const CliResult stopped =
      testing::RunBinaryUntil(TALLYFORGE_CLI_PATH, dir, "--jobs 2 B5 --json jobs.json", "cli.err",
                              "tallyforge-cli: running 1 copy");
  EXPECT_EQ(stopped.exitCode, 130) << stopped.err;
  ExpectHas(stopped.out, {"INCOMPLETE: stopped"});
  EXPECT_FALSE(std::regex_search(stopped.out, std::regex("[0-9]x|[0-9]%"))) << stopped.out;
  check = RunCli(dir, "check jobs.json");
  EXPECT_EQ(check.exitCode, 1) << check.out;
  ExpectHas(check.out, {"stopped at 1 copy at once; not run: 2 copies at once"});
}

// A signal to a --jobs parent reaches its copies: after SIGTERM or SIGHUP the copies stop as at a
// Ctrl-C and the parent writes its document; after a SIGKILL of the parent, its copies stop too
// (none runs on as an orphan that holds its folder).
TEST(CliJobs, TheCopiesStopWithTheirParentHoweverItIsEnded) {
  for (const std::string signal : {"TERM", "HUP", "KILL"}) {
    testing::ScratchDir dir;
    const CliResult result = testing::RunBinaryUntil(
        TALLYFORGE_CLI_PATH, dir, "--jobs 2..2 B4 --json jobs.json", "cli.err",
        "tallyforge-cli: running 2", "", signal, "sleep 0.5");
    EXPECT_EQ(result.exitCode, signal == "KILL" ? 137 : 130) << signal;
    for (const char* folder : {"job-1-of-2", "job-2-of-2"}) {
      for (int i = 0; i < 300 && FolderLock(dir / folder).state() != FolderLock::State::kHeld; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // its copy still runs
      }
      ExpectHas(testing::ReadFile(dir / folder / "rows.txt"), {"  (stopped)\n"});
    }
    if (signal == "KILL") continue;
    ExpectHas(result.out, {"job-2-of-2              n/a  INCOMPLETE: stopped"});
    json doc = json::parse(testing::ReadFile(dir / "jobs.json"));  // the parent's, written
    EXPECT_EQ(doc["jobs"][0]["results"][1]["state"], "stopped") << signal;
  }
}

}  // namespace
}  // namespace tallyforge

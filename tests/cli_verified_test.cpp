// The runner's checks of its results, its verdicts and its stability mode, through the runner
// built with the test hooks: short work, and a result spoilt on request.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <tuple>

#include "cli_support.h"
#include "folder_lock.h"
#include "remainder.h"
#include "document_schema.h"
#include "result_document.h"

namespace tallyforge {
namespace {

using nlohmann::json;
using namespace testing;

TEST(CliCheck, ADamagedResultIsReportedAndExitsWithThree) {
  for (const std::string bench : {"B3", "B8", "B9"}) {
    testing::ScratchDir dir;
    const CliResult result = RunHooked(dir, "B2 " + bench, "TALLYFORGE_TEST_DAMAGE=" + bench);
    EXPECT_EQ(result.exitCode, 3) << bench << result.err;
    ExpectHas(result.err, {bench + " computed a wrong result: WRONG at "});
    const auto lines = testing::Lines(result.out);
    ASSERT_EQ(lines.size(), 5u) << result.out;
    EXPECT_TRUE(lines[2].starts_with("  verified: ")) << lines[2];  // B2 was not damaged
    EXPECT_TRUE(lines[4].starts_with("  WRONG at ")) << lines[4];
    ExpectHas(lines[4], {bench == "B8" ? "of the float table" : " of ", "expected \""});
  }
  // The same in a copy of --jobs: its parent's document fails check as the copy's would.
  testing::ScratchDir dir;
  EXPECT_EQ(RunHooked(dir, "--jobs 1 B2 --json j.json", "TALLYFORGE_TEST_DAMAGE=B2").exitCode, 3);
  const CliResult check = RunHooked(dir, "check j.json");
  EXPECT_EQ(check.exitCode, 3) << check.out;
  ExpectHas(check.out, {"\njob-1-of-1: WRONG (see its result.json)\ncheck: FAILED: 1 copy WRONG"});
}

// check reads nothing but a regular file holding a valid document, and passes only a document
// whose every run was checked and verified. Edited documents carry a recomputed digest, so that
// nothing but the edit decides.
TEST(CliCheck, ReadsOnlyValidDocumentsAndPassesOnlyVerifiedWork) {
  testing::ScratchDir dir;
  ASSERT_EQ(RunHooked(dir, "B1 B9 --json good.json").exitCode, 0);
  const json good = json::parse(testing::ReadFile(dir / "good.json"));
  const auto edited = [&](const std::string& name, const std::function<void(json&)>& edit) {
    json document = good;
    edit(document);
    document["integrity"]["figures_sha256"] = FiguresDigest(document);
    testing::WriteFile(dir / name, document.dump());
    return name;
  };
  const std::string older = edited("older.json", [](json& d) {
    d.erase("remainder");
    d.erase("stop");
  });
  ASSERT_EQ(::mkfifo((dir / "fifo.json").c_str(), 0600), 0);
  testing::WriteFile(dir / "schema.json", "{\"schema\":1}");
  testing::WriteFile(dir / "deep.json", std::string(100000, '[') + std::string(100000, ']'));
  testing::WriteFile(dir / "big.json", "");
  std::filesystem::resize_file(dir / "big.json", (64 << 20) + 1);  // sparse: no disk used
  struct Case {
    std::string file;
    int exitCode;
    std::string says;
  };
  const Case cases[] = {
      {"good.json", 0, "check: every run ran to its end and was verified"},
      {older, 0, "check: every run ran to its end and was verified"},
      {edited("wrong.json", [](json& d) { d["runs"][1]["verification"]["status"] = "wrong"; }),
       3, "check: FAILED: 1 WRONG"},
      {edited("stopped.json", [](json& d) { d["runs"][0]["stopped"] = true; }), 1,
       "check: FAILED: 1 stopped"},
      {edited("unchecked.json", [](json& d) { d["runs"][0]["verification"] = nullptr; }), 4,
       "check: FAILED: 1 not checked"},
      {edited("none.json", [](json& d) { d["runs"] = json::array(); }), 4,
       "no run with a checked result"},
      {"schema.json", 2, "is not a tallyforge result document"},
      {"deep.json", 2, "nested more than 16 deep"},
      {"big.json", 2, "larger than 64 MB"},
      {"fifo.json", 2, "not a regular file"},
      {".", 2, "not a regular file"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunHooked(dir, "check " + c.file, "", "timeout 20");
    EXPECT_EQ(result.exitCode, c.exitCode) << c.file << ": " << result.out << result.err;
    EXPECT_TRUE(Has(result.out + result.err, c.says)) << c.file << ": " << result.out << result.err;
  }
  // compare says what check says of either document, with its status, and says when the two
  // were measured with different arithmetic.
  const Case compared[] = {
      {"good.json wrong.json", 3, "B: check: FAILED: 1 WRONG: its times are not a clean result\n"},
      {"stopped.json good.json", 1, "A: check: FAILED: 1 stopped: "},
      {"good.json older.json", 0, "A and B were measured with different arithmetic (A: " +
                                      std::string(kRemainderName) + ", B: unknown (older document))"},
  };
  for (const Case& c : compared) {
    const CliResult result = RunHooked(dir, "compare " + c.file);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.file << ": " << result.out << result.err;
    EXPECT_TRUE(Has(result.out, c.says)) << c.file << ": " << result.out;
  }

  // Out of memory (40 MB for a 30 MB document), check says the document cannot be read and why,
  // and does not say that it kept what it measured, as a run would. A sanitizer's build cannot even start so confined.
  const std::string padded = edited("padded.json", [](json& d) {
    d["padding"] = std::vector<std::string>(30000, std::string(1000, 'x'));
  });
  if (RunHooked(dir, "--version", "", "ulimit -v 40000;").exitCode != 0) return;
  const CliResult result = RunHooked(dir, "check " + padded, "", "ulimit -v 40000;");
  EXPECT_EQ(result.exitCode, 2) << result.err;
  EXPECT_TRUE(Has(result.err, "not enough memory to read the document")) << result.err;
  EXPECT_FALSE(Has(result.err, "measured")) << result.err;
}

// A stability run for a duration ends with a summary of its passes that calls verified only
// what was checked and verified (a result that could not be checked never is); its document
// numbers every pass and keeps its score, and check says what the run said.
TEST(StabilityMode, ADurationEndsWithASummaryOfVerifiedPassesEachRecorded) {
  struct Case {
    std::string args, hooks;
    int exitCode;
    std::vector<std::string> parts;
    std::string absent;
    int checkExitCode;
  };
  const Case cases[] = {
      {"stress --duration 1s", "", 0, {"\npass 1  00:00:0", ", every result verified; score "},
       "WRONG", 0},
      {"stress --duration 1s", "TALLYFORGE_TEST_HIDE=B5", 4,
       {"\n  not checked: cannot read Numbers_0010000000005.txt", "  NOT CHECKED: B5 not checked: ",
        " 1 of them with a result not checked; score "},
       "every result verified", 4},
      {"--loop", "TALLYFORGE_TEST_INTERRUPT=B9@2", 130, {"\npass 2  00:00:0", "  stopped\n"},
       "WRONG", 1},
  };
  for (const Case& c : cases) {
    testing::ScratchDir dir;
    testing::WriteFile(dir / "Reference.txt", "1\n1\n1\n1\n1\n1\n1\n1\n1\n");
    const CliResult result = RunHooked(dir, c.args + " --json r.json", c.hooks);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.hooks << result.err;
    ExpectHas(result.out, c.parts);
    EXPECT_FALSE(Has(result.out, c.absent)) << c.hooks << result.out;
    const json doc = json::parse(testing::ReadFile(dir / "r.json"));
    const int passes = doc["repeat"].get<int>();  // the stop makes two; a duration at least one
    EXPECT_EQ(doc["runs"].size(), 9u * passes) << c.hooks;
    EXPECT_EQ(doc["runs"].back()["pass"], passes) << c.hooks;
    ASSERT_EQ(doc["total_score"]["passes"].size(), static_cast<size_t>(passes)) << c.hooks;
    EXPECT_EQ(doc["total_score"]["passes"].back()["pass"], passes) << c.hooks;
    EXPECT_GT(doc["total_score"]["passes"][0]["value"].get<double>(), 0) << c.hooks;
    EXPECT_EQ(RunHooked(dir, "check r.json").exitCode, c.checkExitCode) << c.hooks;
  }
}

TEST(CliCheck, AnExceptionEndsTheRunWithSeventyAndTheDocumentKeepsTheRunsBefore) {
  testing::ScratchDir dir;
  const CliResult result = RunHooked(dir, "B1 B2 B3 --json r.json", "TALLYFORGE_TEST_THROW=B2");
  EXPECT_EQ(result.exitCode, 70) << result.err;
  ExpectHas(result.err, {"tallyforge-cli: internal error: a test hook threw"});
  const json doc = json::parse(testing::ReadFile(dir / "r.json"));
  ASSERT_EQ(doc["runs"].size(), 1u);
  EXPECT_EQ(doc["runs"][0]["benchmark"], "B1");
  EXPECT_EQ(doc["finished"], false);
}

TEST(StabilityMode, StopsAtTheFirstWrongResultAndSaysWhereAndWhen) {
  testing::ScratchDir dir;
  const CliResult result = RunHooked(dir, "--loop", "TALLYFORGE_TEST_DAMAGE=B5@2");
  EXPECT_EQ(result.exitCode, 3) << result.err;
  ExpectHas(result.out, {"  score 0  verified\nB1 ", "  WRONG\nstability: FAILED in pass 2, 00:00:0",
                         ": B5 WRONG at line ", " of Numbers_0010000000005.txt: found ",
                         "stability: 1 complete pass in ", "verified before the failure"});
  // The failing pass ends at B5: B6 to B9 do not run again.
  const std::string secondPass = result.out.substr(result.out.find("\npass 1 "));
  EXPECT_FALSE(Has(secondPass, "\nB6 ")) << result.out;
}

TEST(CliInputs, UnusableDirectoriesAndReferenceFilesGiveClearMessages) {
  testing::ScratchDir dir;
  std::filesystem::create_directory(dir / "locked");
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_exec);
  CliResult result = RunHooked(dir, "-C locked B2");
  if (::access((dir / "locked").c_str(), W_OK) != 0) {  // root may write anyway
    EXPECT_EQ(result.exitCode, 1);
    ExpectHas(result.err, {"B2 not run: cannot create"});
  }

  testing::WriteFile(dir / "plain", "");
  result = RunHooked(dir, "--dir plain B2");
  EXPECT_EQ(result.exitCode, 2);
  ExpectHas(result.err, {"--dir plain: not a directory"});


  ASSERT_EQ(::mkfifo((dir / "Reference.txt").c_str(), 0600), 0);
  result = RunHooked(dir, "B2", "", "timeout 20");
  EXPECT_EQ(result.exitCode, 0) << result.err;  // a FIFO without a writer does not hang it
  ExpectHas(result.err, {"Reference.txt is not a regular file"});
  std::filesystem::remove(dir / "Reference.txt");

  testing::WriteFile(dir / "Reference.txt", "2.5\n" + std::string(8 << 20, '7'));
  result = RunHooked(dir, "B1");  // only the first lines are read
  EXPECT_EQ(result.exitCode, 0) << result.err;
  ExpectHas(result.out, {" 2.5 "});

  // A copy's folder refused: the copy says why it never started, and has no rows to look at.
  std::filesystem::create_directory_symlink(dir / "locked", dir / "job-2-of-2");
  ExpectHas(RunHooked(dir, "--jobs 2..2 B1").out,
            {"job-2-of-2              n/a  INCOMPLETE: not started: its folder: a symbolic link "
             "is in its place (links are never followed)\n"});
}

// Latin-1 (or any) bytes in Reference.txt, in a -C path or in an argument: the run ends as
// usual, the document holds U+FFFD in their place, and the terminal gets none of them raw.
TEST(CliInputs, BytesThatAreNotUtf8NeitherEndTheRunNorReachTheTerminal) {
  testing::ScratchDir dir;
  const std::string folder = "w\xFC";
  std::filesystem::create_directory(dir / folder);
  testing::WriteFile(dir / folder / "Reference.txt",
                     "1\xFC\n1\n1\n1\n1\n1\n1\n1\n1\nMachine: J\xFCrgen's \x1B[31mPC\n");
  for (const std::string jsonOption : {"", " --json 'r\xFC.json'"}) {
    const CliResult result = RunHooked(dir, "-C '" + folder + "' B1 B9" + jsonOption);
    EXPECT_EQ(result.exitCode, 0) << jsonOption << result.err;
    ExpectHas(result.out, {"\nB9 "});
    EXPECT_FALSE(Has(result.out + result.err, "\xFC") || Has(result.out + result.err, "\x1B["))
        << result.out << result.err;
  }
  const json doc = json::parse(testing::ReadFile(dir / "r\xFC.json"));
  EXPECT_EQ(doc["reference"]["machine"], "J\xEF\xBF\xBDrgen's [31mPC");
  EXPECT_EQ(doc["reference"]["times"][0], "1\xEF\xBF\xBD");
  EXPECT_EQ(doc["arguments"][5], "r\xEF\xBF\xBD.json");
  EXPECT_EQ(RunHooked(dir, "check 'r\xFC.json'").exitCode, 0);
}

TEST(CliInputs, ADocumentNamingOneOfTheRunsOwnFilesIsRefusedBeforeAnyWork) {
  testing::ScratchDir dir;
  testing::WriteFile(dir / "Reference.txt", "2.5\n");
  std::filesystem::create_directory(dir / "sub");
  std::filesystem::create_symlink("../Reference.txt", dir / "sub" / "link.json");
  for (const std::string name : {"Reference.txt", "sub/../Reference.txt", "sub/link.json",
                                 "Numbers_0000000000005.txt", "./Factors.txt",
                                 "job-2-of-2/result.json", ".tallyforge.lock",
                                 "job-1-of-2/.TallyForge.LOCK"}) {
    const CliResult result = RunHooked(dir, "B2 --jobs 2 --json " + name);
    EXPECT_EQ(result.exitCode, 2) << name << result.err;
    ExpectHas(result.err, {"that is one of the run's own files"});
  }
  EXPECT_EQ(testing::ReadFile(dir / "Reference.txt"), "2.5\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "job-1-of-1"));  // no work began
}

// A Ctrl-C ends the work wherever it lands: mid-run, or at the last progress point of a run
// whose work was then complete. The document records the stop and what did not run, and check
// fails it, as the run's own status does.
TEST(CliStop, CtrlCEndsTheWorkWhereverItLandsAndTheDocumentSaysWhatDidNotRun) {
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"B2 B1", "B2@1", "  (stopped)\n", "; not run: B1 of pass 1"},
      {"B9 B1", "B9@1", "  (stopped as its work ended)\n  verified: 601 numbers factored",
       "; not run: B1 of pass 1"},
      {"B9 --repeat 3", "B9@1", "  (stopped as its work ended)\n", "; not run: passes 2 to 3"},
      {"stress", "B9@1", "  (stopped as its work ended)\n", "; nothing was left to run"},
  };
  for (const auto& [args, point, row, notRun] : cases) {
    testing::ScratchDir dir;
    const CliResult result =
        RunHooked(dir, args + " --json r.json", "", "env TALLYFORGE_TEST_INTERRUPT=" + point);
    EXPECT_EQ(result.exitCode, 130) << args << result.err;
    EXPECT_TRUE(Has(result.out, row)) << args << result.out;
    const json doc = json::parse(testing::ReadFile(dir / "r.json"));
    EXPECT_EQ(doc["runs"].back()["benchmark"], point.substr(0, 2)) << args;  // the last to run
    EXPECT_FALSE(doc["finished"]) << args;
    const CliResult check = RunHooked(dir, "check r.json");
    EXPECT_EQ(check.exitCode, 1) << args << check.out;
    ExpectHas(check.out,
              {"check: FAILED: ", "stopped at " + point.substr(0, 2) + " of pass 1" + notRun});
  }
  testing::ScratchDir dir;
  RunHooked(dir, "B2", "", "env TALLYFORGE_TEST_INTERRUPT=B2@1");
  const auto lines = testing::Lines(testing::ReadFile(dir / "Numbers_0000010000005.txt"));
  EXPECT_EQ(lines.back(), "Prime Found : 40");  // the prime of the progress point was the last

  // A document that could not be written outranks the stop (2 KB: room for the output files).
  const CliResult result =
      RunHooked(dir, "B1 B2 --json r.json", "", "ulimit -f 2; env TALLYFORGE_TEST_INTERRUPT=B2@1");
  EXPECT_EQ(result.exitCode, 1) << result.err;
  ExpectHas(result.err, {"--json r.json: cannot write the document: File too large"});
}

// Descriptors 0 to 2 closed at start: an output file never takes their place, so neither
// progress lines nor rows land in it (its check would find them). A standard output that cannot
// take what is written (a full disk) is an output that failed, said and exit status 1.
TEST(CliStreams, ClosedStandardStreamsNeverBecomeOutputFilesAndAFullOneFails) {
  for (const std::string closed : {"2>&-", ">&-", "<&- >&- 2>&-"}) {
    testing::ScratchDir dir;
    const CliResult result = RunHooked(dir, "B2 B9", "", "sh -c 'exec \"$0\" \"$@\" " + closed + "'");
    EXPECT_EQ(result.exitCode, 0) << closed << result.err;
    const std::string numbers = testing::ReadFile(dir / "Numbers_0000010000005.txt");
    EXPECT_TRUE(numbers.ends_with("\nPrime Found : 44\n")) << closed;
    EXPECT_FALSE(Has(numbers, "B2")) << closed << numbers;
    EXPECT_FALSE(Has(testing::ReadFile(dir / "Factors.txt"), "B9")) << closed;
  }
  testing::ScratchDir dir;
  ASSERT_EQ(RunHooked(dir, "B2 --json r.json").exitCode, 0);
  for (const std::string args : {"B2", "check r.json", "compare r.json r.json", "--version"}) {
    const CliResult result = RunHooked(dir, args, "", "sh -c 'exec \"$0\" \"$@\" > /dev/full'");
    EXPECT_EQ(result.exitCode, 1) << args;
    ExpectHas(result.err, {"tallyforge-cli: cannot write to the standard output"});
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
                                                  "pass 1 ", "env TALLYFORGE_TEST_SHORT_WORK=1", "INT", second);
  EXPECT_EQ(testing::ReadFile(dir / "second.status"), "75\n");
  const std::string pid = testing::Lines(testing::ReadFile(dir / "first.pid")).at(0);
  EXPECT_EQ(testing::ReadFile(dir / "second.err"),
            "tallyforge-cli: the folder " + dir.path().string() + " is in use by another run (process " +
                pid + ", tallyforge-cli-testhooks); one run at a time per folder: wait for it to "
                "end, or use another folder\n");
  EXPECT_EQ(testing::ReadFile(dir / "second.out"), "");
  // The first, a stability run, ends with its Ctrl-C, every result right.
  EXPECT_EQ(first.exitCode, 130) << first.err;
  ExpectHas(first.out, {"\npass 1  00:00:0", "\nstability: "});
  EXPECT_FALSE(Has(first.out, "WRONG")) << first.out;

  testing::WriteFile(dir / "victim", "keep\n");
  std::filesystem::remove(dir / kFolderLockName);
  std::filesystem::create_symlink(dir / "victim", dir / kFolderLockName);
  const CliResult linked = RunHooked(dir, "B1");
  EXPECT_EQ(linked.exitCode, 1);
  ExpectHas(linked.err, {"cannot lock the folder " + dir.path().string() + ": "});
  EXPECT_EQ(testing::ReadFile(dir / "victim"), "keep\n");
}

}  // namespace
}  // namespace tallyforge

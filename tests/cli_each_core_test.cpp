// --each-core through the runner built with the test hooks: a WRONG result tied to its
// processor in the table, the document, check, the report and the exit status; processors left
// out by the mask; a turn that cannot be pinned.
#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli_support.h"
#include "document_schema.h"
#include "processor_affinity.h"

namespace tallyforge {
namespace {

using nlohmann::json;
using namespace testing;

// The table's row of processor, from its number to its verdict.
std::string Row(const std::string& out, int processor) {
  char number[16];
  std::snprintf(number, sizeof number, "%9d ", processor);
  for (const std::string& line : testing::Lines(out)) {
    if (line.starts_with(number)) return line;
  }
  return "";
}

// Two processors the process may use, or none.
std::vector<int> TwoProcessors() {
  std::vector<int> allowed = AllowedProcessors();
  if (allowed.size() < 2) return {};
  return {allowed[0], allowed[1]};
}

TEST(EachCore, AWrongResultIsNamedWithItsProcessorInTheTableDocumentCheckAndReport) {
  const std::vector<int> two = TwoProcessors();
  // No test skips itself: on one processor it fails and says why.
  ASSERT_EQ(two.size(), 2u) << "needs two processors the process may use";
  const std::string first = std::to_string(two[0]), second = std::to_string(two[1]);
  testing::ScratchDir dir;
  // The second B9 runs on the second processor.
  const CliResult result = RunHooked(dir, "--each-core --cores " + first + "," + second +
                                     " --json r.json", "TALLYFORGE_TEST_DAMAGE=B9@2");
  EXPECT_EQ(result.exitCode, 3) << result.err;
  ExpectHas(result.err, {"processor " + second + ": B9 computed a wrong result: WRONG at line "});
  EXPECT_TRUE(Row(result.out, two[0]).ends_with("  verified")) << result.out;
  EXPECT_TRUE(Row(result.out, two[1]).ends_with("  WRONG: B9")) << result.out;
  ExpectHas(result.out, {"WRONG on processor " + second + ": B9 in pass 1\n",
                         "each core: 1 pass over 2 processors; 1 WRONG\n"});

  const json doc = json::parse(testing::ReadFile(dir / "r.json"));
  ASSERT_EQ(doc["runs"].size(), 4u);  // B8 B9 on each
  EXPECT_EQ(doc["runs"][3]["processor"], two[1]);
  EXPECT_EQ(doc["runs"][3]["verification"]["status"], "wrong");
  EXPECT_EQ(doc["runs"][1]["verification"]["status"], "verified");
  EXPECT_EQ(doc["each_core"]["processors"].size(), 2u);

  const CliResult check = RunHooked(dir, "check r.json");
  EXPECT_EQ(check.exitCode, 3);
  ExpectHas(check.out, {"\nB9 pass 1 processor " + second + ": WRONG at line ",
                        "\ncheck: FAILED: 1 WRONG\n"});

  ASSERT_EQ(RunHooked(dir, "report r.json -o r.html").exitCode, 0);
  const std::string page = testing::ReadFile(dir / "r.html");
  ExpectHas(page, {"id=\"processors-1-B9-title\"", "id=\"processors-1-B8-title\"",
                   "fill=\"#cc0000\"><title>processor " + second + ": ", " s, WRONG</title>",
                   "stroke-dasharray=\"6 3\"/>", ">median "});
  EXPECT_FALSE(Has(page, "<title>processor " + first + ": 0.0010 s, WRONG")) << page;

  // An edit that moves a run to a processor the document does not list fails check.
  json edited = doc;
  edited["runs"][0]["processor"] = 4000;
  edited["integrity"]["figures_sha256"] = FiguresDigest(edited);
  testing::WriteFile(dir / "e.json", edited.dump());
  const CliResult moved = RunHooked(dir, "check e.json");
  ExpectHas(moved.out, {"each_core: INCONSISTENT: B8 pass 1 names processor 4000, which "
                        "each_core does not list", "runs and processors disagree"});
}

TEST(EachCore, ProcessorsOutsideTheMaskAreLeftOutAndOneThatCannotBePinnedIsNotRun) {
  const std::vector<int> two = TwoProcessors();
  ASSERT_EQ(two.size(), 2u) << "needs two processors the process may use";
  const std::string first = std::to_string(two[0]), second = std::to_string(two[1]);
  const std::string cores = " --cores " + first + "," + second;
  testing::ScratchDir dir;
  const CliResult masked = RunHooked(dir, "--each-core B8" + cores, "", "taskset -c " + first);
  EXPECT_EQ(masked.exitCode, 0) << masked.err;
  ExpectHas(masked.err, {"processor " + second + " left out: outside the process's affinity "
                         "mask or cpuset\n"});
  EXPECT_EQ(Row(masked.out, two[1]), "");
  ExpectHas(masked.out, {"each core: 1 pass over 1 processor; every result verified\n"});

  const CliResult offline = RunHooked(dir, "--each-core B8 --json o.json" + cores,
                                      "TALLYFORGE_TEST_OFFLINE=" + second);
  EXPECT_EQ(offline.exitCode, 4) << offline.err;
  ExpectHas(offline.err, {"processor " + second + " NOT RUN in pass 1: cannot pin to it"});
  EXPECT_TRUE(Has(Row(offline.out, two[1]), "  NOT RUN: cannot pin to it")) << offline.out;
  const CliResult check = RunHooked(dir, "check o.json");
  EXPECT_EQ(check.exitCode, 4);
  ExpectHas(check.out, {"\nprocessor " + second + " pass 1: NOT RUN: ", "check: FAILED: 1 not run"});

  // Ctrl-C during the first processor's turn of an endless cycle ends it there.
  const CliResult stopped = RunHooked(dir, "--each-core --loop --json s.json" + cores,
                                      "TALLYFORGE_TEST_INTERRUPT=B9@1");
  EXPECT_EQ(stopped.exitCode, 130) << stopped.err;
  EXPECT_TRUE(Row(stopped.out, two[1]).ends_with("  not reached")) << stopped.out;
  ExpectHas(RunHooked(dir, "check s.json").out,
            {"stopped at B9 on processor " + first + " of pass 1; not run: processor " + second});
}

}  // namespace
}  // namespace tallyforge

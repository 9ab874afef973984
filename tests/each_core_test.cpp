// --each-core's parts that need no run: the processor list of --cores, which processors take
// turns under an affinity mask, and the topology read from copies of sysfs trees.
#include <gtest/gtest.h>

#include "each_core.h"
#include "each_core_table.h"
#include "processor_affinity.h"
#include "processor_topology.h"

namespace tallyforge {
namespace {

using cli::PlanProcessors;

TEST(ProcessorList, RangesAndListsAreReadAndBadOnesSayWhy) {
  std::string error;
  EXPECT_EQ(ParseProcessorList("0,2-5", error), (std::vector<int>{0, 2, 3, 4, 5}));
  EXPECT_EQ(ParseProcessorList("7,1,1-2", error), (std::vector<int>{1, 2, 7}));
  const std::pair<const char*, const char*> bad[] = {
      {"", "expected processor numbers"}, {"3-1", "runs backwards"},
      {"1,", "expected ','"},             {"a", "position 1"},
      {"2-", "end of a range"},           {"99999", "0 to 4095"},
      {"1;2", "expected ','"}};
  for (const auto& [text, why] : bad) {
    error.clear();
    EXPECT_FALSE(ParseProcessorList(text, error)) << text;
    EXPECT_NE(error.find(why), std::string::npos) << text << ": " << error;
  }
}

std::vector<ProcessorPlace> Places(std::initializer_list<std::pair<int, bool>> online) {
  std::vector<ProcessorPlace> places;
  for (const auto& [processor, up] : online) {
    ProcessorPlace place;
    place.processor = processor;
    place.online = up;
    places.push_back(place);
  }
  return places;
}

TEST(ProcessorPlan, OnlyAllowedProcessorsTakeTurnsAndTheRestAreLeftOutWithTheirReason) {
  const auto known = Places({{0, true}, {1, true}, {2, true}, {3, false}});
  const std::vector<int> mask = {0, 2};  // a cpuset leaving 1 out; 3 is offline
  const cli::ProcessorPlan all = PlanProcessors({}, known, mask);
  EXPECT_EQ(all.run, (std::vector<int>{0, 2}));
  ASSERT_EQ(all.leftOut.size(), 2u);
  EXPECT_EQ(all.leftOut[0].processor, 1);
  EXPECT_EQ(all.leftOut[0].reason, "outside the process's affinity mask or cpuset");
  EXPECT_EQ(all.leftOut[1].processor, 3);
  EXPECT_EQ(all.leftOut[1].reason, "offline");

  const cli::ProcessorPlan named = PlanProcessors({1, 2, 9}, known, mask);
  EXPECT_EQ(named.run, (std::vector<int>{2}));
  ASSERT_EQ(named.leftOut.size(), 2u);
  EXPECT_EQ(named.leftOut[1].processor, 9);
  EXPECT_EQ(named.leftOut[1].reason, "not a processor of this machine");
  // A system that names no processors: the mask alone decides.
  EXPECT_EQ(PlanProcessors({}, {}, {0, 1}).run, (std::vector<int>{0, 1}));
}

TEST(ProcessorTopology, SmtSiblingsAndAnOfflineProcessorFromASysfsTree) {
  const auto places = ReadProcessorTopology(TALLYFORGE_TEST_DATA "/sysfs-smt");
  ASSERT_EQ(places.size(), 8u);
  for (const ProcessorPlace& p : places) {
    SCOPED_TRACE(p.processor);
    if (p.processor == 7) {
      EXPECT_FALSE(p.online);
      EXPECT_FALSE(p.core);
      continue;
    }
    EXPECT_TRUE(p.online);
    EXPECT_EQ(p.core, p.processor % 4);
    EXPECT_EQ(p.package, 0);
    EXPECT_EQ(p.smtSibling, p.processor >= 4);
    EXPECT_EQ(p.kind, p.processor >= 4 ? "SMT sibling" : "");
  }
}

TEST(ProcessorTopology, PerformanceAndEfficiencyClassesFromAHybridTree) {
  const auto places = ReadProcessorTopology(TALLYFORGE_TEST_DATA "/sysfs-hybrid");
  ASSERT_EQ(places.size(), 6u);
  for (const ProcessorPlace& p : places) {
    SCOPED_TRACE(p.processor);
    EXPECT_EQ(p.kind, p.processor >= 4 ? "performance" : "efficiency");
    EXPECT_EQ(p.package, p.processor >= 4 ? 1 : 0);
    EXPECT_EQ(p.capacity, p.processor >= 4 ? 1024 : 485);
  }
  EXPECT_TRUE(ReadProcessorTopology(TALLYFORGE_TEST_DATA "/no-such-tree").empty());
}

// Times 1, 2 and 4 s: the median processor's is 2 s; a turn not taken has no time and says why.
TEST(EachCoreTable, RatiosToTheMedianProcessorAndEachProcessorsWorstVerdict) {
  RecordedResults results;
  results.eachCore.emplace();
  results.eachCore->processors = Places({{0, true}, {1, true}, {2, true}, {3, true}});
  results.eachCore->notRun.push_back({1, 3, "offline"});
  const auto add = [&](int processor, int32_t ticks, CheckStatus status) {
    RecordedRun run;
    run.processor = processor;
    run.outcome.bench = 9;
    run.outcome.ran = true;
    run.outcome.ticks = ticks;
    run.check.verdict = JudgeRun(true, false, status);
    results.runs.push_back(run);
  };
  add(0, 1000, CheckStatus::kVerified);
  add(1, 4000, CheckStatus::kWrong);
  add(2, 2000, CheckStatus::kVerified);
  const std::vector<ProcessorRow> rows = EachCoreRows(results, 1, {9});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].ratios[0], 0.5);
  EXPECT_EQ(rows[1].ratios[0], 2.0);
  EXPECT_EQ(rows[2].ratios[0], 1.0);
  EXPECT_FALSE(rows[3].seconds[0]);
  EXPECT_EQ(rows[1].verdict, "WRONG: B9");
  EXPECT_TRUE(rows[1].wrong);
  EXPECT_EQ(rows[2].verdict, "verified");
  EXPECT_EQ(rows[3].verdict, "NOT RUN: offline");
}

// The real pair: pinning to a processor the process may use puts it there, and the mask comes
// back whole.
TEST(ProcessorAffinity, PinningToOneAllowedProcessorAndBack) {
  const std::vector<int> allowed = AllowedProcessors();
  ASSERT_FALSE(allowed.empty());
  ASSERT_EQ(PinToProcessors({allowed.back()}), 0);
  EXPECT_EQ(AllowedProcessors(), std::vector<int>{allowed.back()});
  EXPECT_NE(PinToProcessors({4095}), 0);  // no machine here has it
  ASSERT_EQ(PinToProcessors(allowed), 0);
  EXPECT_EQ(AllowedProcessors(), allowed);
}

}  // namespace
}  // namespace tallyforge

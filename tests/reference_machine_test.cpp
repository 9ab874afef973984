#include "reference_machine.h"

#include <gtest/gtest.h>

#include "reference_reader.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

constexpr std::array<double, kRowCount> kTimes = {0.856, 1.753, 4.133, 17.266, 41.638,
                                                  108.88, 232.929, 7.393, 6.34};

TEST(ReferenceMachine, CalibratedFileKeepsNineTimesForTheReaderAndNamesTheMachine) {
  ScratchDir dir;
  WriteFile(dir / "Reference.txt", ReferenceFileText(kTimes, "Test CPU, 2 cores\n"));
  const ReferenceTexts texts = ReadReferenceFile(dir / "Reference.txt");
  ASSERT_EQ(texts.status, ReferenceStatus::kRead);
  EXPECT_EQ(texts.lines[0], "0.8560\n");
  EXPECT_EQ(texts.lines[6], "232.9290\n");
  EXPECT_EQ(texts.lines[8], "6.3400\n");
  EXPECT_EQ(ReadReferenceMachine(dir / "Reference.txt"), "Test CPU, 2 cores");
  EXPECT_EQ(ReferenceMachineLabel(ReadReferenceMachine(dir / "Reference.txt"), "the reference machine"),
            "Test CPU, 2 cores");
}

TEST(ReferenceMachine, WithoutATenthMachineLineTheLiteralTextStays) {
  ScratchDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"nine lines", "1\n2\n3\n4\n5\n6\n7\n8\n9\n"},
      {"tenth line without the prefix", "1\n2\n3\n4\n5\n6\n7\n8\n9\nFast box\n"},
      {"empty machine", "1\n2\n3\n4\n5\n6\n7\n8\n9\nMachine: \x01 \n"},
      {"a line too long for the reader", std::string(90, '1') + "\n2\n3\n4\n5\n6\n7\n8\n9\n"
                                                                 "Machine: shifted\n"},
  };
  for (const auto& [name, text] : cases) {
    WriteFile(dir / "Reference.txt", text);
    EXPECT_EQ(ReadReferenceMachine(dir / "Reference.txt"), std::nullopt) << name;
  }
  EXPECT_EQ(ReadReferenceMachine(dir / "absent.txt"), std::nullopt);
  EXPECT_EQ(ReferenceMachineLabel(std::nullopt, "the reference machine"), "the reference machine");
}

}  // namespace
}  // namespace tallyforge

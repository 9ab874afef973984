#include "reference_machine.h"

#include <gtest/gtest.h>

#include "reference_reader.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

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

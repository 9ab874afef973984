#pragma once
// Where each logical processor sits: its physical core and package, whether it is a second
// thread of its core, and its class on a hybrid processor, as the system describes them.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallyforge {

struct ProcessorPlace {
  int processor = 0;
  std::optional<int> core, package;  // as the system numbers them; none where it does not say
  bool online = true;
  bool smtSibling = false;  // another logical processor of its core comes first
  // Linux: cpu_capacity (1024 for the fastest); Windows: EfficiencyClass (higher is faster).
  std::optional<int> capacity, efficiencyClass;
  // "performance" or "efficiency" where processors of both classes exist, "SMT sibling" for a
  // core's later thread, both joined by ", "; empty when the system says neither.
  std::string kind;
};

// The logical processors the system knows of, in increasing order, offline ones included
// (Linux: sys/devices/system/cpu under root, which tests point at a copy of such a tree;
// Windows: GetLogicalProcessorInformationEx, root unused). Empty when it says nothing.
std::vector<ProcessorPlace> ReadProcessorTopology(const std::filesystem::path& root = "/");

// Sets each place's kind from its SMT position and, where they differ, the classes.
void NameKinds(std::vector<ProcessorPlace>& places);

// The place of processor in places, or nullptr.
const ProcessorPlace* PlaceOf(const std::vector<ProcessorPlace>& places, int processor);

}  // namespace tallyforge

#include <algorithm>

#include "processor_topology.h"

namespace tallyforge {

void NameKinds(std::vector<ProcessorPlace>& places) {
  // A class is named only where the machine has two: the best one is "performance".
  const auto classOf = [](const ProcessorPlace& p) {
    return p.capacity ? p.capacity : p.efficiencyClass;
  };
  std::optional<int> best, worst;
  for (const ProcessorPlace& p : places) {
    if (const std::optional<int> c = classOf(p)) {
      best = best ? std::max(*best, *c) : *c;
      worst = worst ? std::min(*worst, *c) : *c;
    }
  }
  const bool hybrid = best && *best != *worst;
  for (ProcessorPlace& p : places) {
    p.kind.clear();
    if (const std::optional<int> c = classOf(p); hybrid && c) {
      p.kind = *c == *best ? "performance" : "efficiency";
    }
    if (p.smtSibling) p.kind += p.kind.empty() ? "SMT sibling" : ", SMT sibling";
  }
}

const ProcessorPlace* PlaceOf(const std::vector<ProcessorPlace>& places, int processor) {
  for (const ProcessorPlace& p : places) {
    if (p.processor == processor) return &p;
  }
  return nullptr;
}

}  // namespace tallyforge

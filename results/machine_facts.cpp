#include "machine_facts.h"

#include <cstdio>

namespace tallyforge {

std::optional<double> OtherCpuSeconds(const MachineSample& before, const MachineSample& after) {
  if (!before.busyTicks || !after.busyTicks || *after.busyTicks < *before.busyTicks) {
    return std::nullopt;
  }
  const double busy =
      static_cast<double>(*after.busyTicks - *before.busyTicks) /
      static_cast<double>(BusyTicksPerSecond());
  const double other = busy - (after.ownCpuSeconds - before.ownCpuSeconds);
  return other > 0 ? other : 0;
}

std::string DescribeMachine(const MachineFacts& facts) {
  std::string text = facts.cpuModel.empty() ? "unknown CPU" : facts.cpuModel;
  if (facts.logicalCores > 0) {
    text += ", " + std::to_string(facts.logicalCores) + " cores";
    if (facts.physicalCores > 0) text += " (" + std::to_string(facts.physicalCores) + " physical)";
  }
  if (facts.memoryBytes > 0) {
    char memory[32];
    std::snprintf(memory, sizeof memory, ", %.1f GiB",
                  static_cast<double>(facts.memoryBytes) / (1024.0 * 1024 * 1024));
    text += memory;
  }
  if (!facts.osName.empty()) text += ", " + facts.osName;
  if (!facts.kernel.empty()) text += ", Linux " + facts.kernel;
  return text;
}

}  // namespace tallyforge

// Processor topology on Linux: sys/devices/system/cpu/cpuN/{online, topology/, cpu_capacity}.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "processor_affinity.h"
#include "processor_topology.h"

namespace tallyforge {
namespace {

std::optional<std::string> FirstLine(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string line;
  if (!in || !std::getline(in, line)) return std::nullopt;
  return line;
}

std::optional<int> Integer(const std::filesystem::path& path) {
  const std::optional<std::string> line = FirstLine(path);
  if (!line || line->empty()) return std::nullopt;
  char* end = nullptr;
  const long value = std::strtol(line->c_str(), &end, 10);
  if (end == line->c_str() || value < -1 || value > 1000000) return std::nullopt;
  if (value == -1) return std::nullopt;  // "not known", as some architectures say
  return static_cast<int>(value);
}

// "cpu12" as 12; none for cpufreq, cpuidle and the like.
std::optional<int> ProcessorNumber(const std::string& name) {
  if (name.size() < 4 || name.compare(0, 3, "cpu") != 0) return std::nullopt;
  if (!std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  if (name.size() > 7) return std::nullopt;
  return std::atoi(name.c_str() + 3);
}

}  // namespace

std::vector<ProcessorPlace> ReadProcessorTopology(const std::filesystem::path& root) {
  const std::filesystem::path cpus = root / "sys/devices/system/cpu";
  std::vector<ProcessorPlace> places;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(cpus, ec)) {
    const std::optional<int> number = ProcessorNumber(entry.path().filename().string());
    if (!number) continue;
    const std::filesystem::path dir = entry.path();
    ProcessorPlace place;
    place.processor = *number;
    // No "online" file: a processor that cannot be taken offline (often cpu0).
    place.online = Integer(dir / "online").value_or(1) != 0;
    place.core = Integer(dir / "topology/core_id");
    place.package = Integer(dir / "topology/physical_package_id");
    place.capacity = Integer(dir / "cpu_capacity");
    if (const auto siblings = FirstLine(dir / "topology/thread_siblings_list")) {
      std::string error;
      const auto list = ParseProcessorList(*siblings, error);
      place.smtSibling = list && !list->empty() && list->front() != *number;
    }
    places.push_back(place);
  }
  std::sort(places.begin(), places.end(),
            [](const ProcessorPlace& a, const ProcessorPlace& b) { return a.processor < b.processor; });
  NameKinds(places);
  return places;
}

}  // namespace tallyforge

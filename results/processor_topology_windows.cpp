// Processor topology on Windows: GetLogicalProcessorInformationEx's records of cores and
// packages, walked by each record's own Size (records differ in length), in the processor group
// the process starts in.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "processor_topology.h"

namespace tallyforge {
namespace {

using Record = SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX;

// The records of relation, as one buffer; empty when the system will not give them.
std::vector<char> Records(LOGICAL_PROCESSOR_RELATIONSHIP relation) {
  DWORD length = 0;
  GetLogicalProcessorInformationEx(relation, nullptr, &length);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length == 0) return {};
  std::vector<char> buffer(length);
  if (!GetLogicalProcessorInformationEx(relation, reinterpret_cast<Record*>(buffer.data()),
                                        &length)) {
    return {};
  }
  buffer.resize(length);
  return buffer;
}

// Calls visit with each record of buffer and its ordinal.
template <typename Visit>
void EachRecord(const std::vector<char>& buffer, Visit visit) {
  int ordinal = 0;
  for (size_t at = 0; at + sizeof(DWORD) * 2 <= buffer.size();) {
    const auto* record = reinterpret_cast<const Record*>(buffer.data() + at);
    if (record->Size == 0 || at + record->Size > buffer.size()) break;
    visit(*record, ordinal++);
    at += record->Size;
  }
}

// The processors of a record's mask in group 0, the group the process runs in.
std::vector<int> ProcessorsOf(const PROCESSOR_RELATIONSHIP& relation) {
  std::vector<int> processors;
  for (WORD g = 0; g < relation.GroupCount; ++g) {
    if (relation.GroupMask[g].Group != 0) continue;
    for (int p = 0; p < static_cast<int>(sizeof(KAFFINITY) * 8); ++p) {
      if (relation.GroupMask[g].Mask & (KAFFINITY{1} << p)) processors.push_back(p);
    }
  }
  return processors;
}

// The record's EfficiencyClass: the byte after Flags, which older MinGW-w64 headers still call
// Reserved[0] (0 on systems before Windows 10, and on processors of one class).
int EfficiencyClass(const PROCESSOR_RELATIONSHIP& relation) {
  static_assert(offsetof(PROCESSOR_RELATIONSHIP, Flags) == 0);
  return reinterpret_cast<const BYTE*>(&relation)[1];
}

}  // namespace

std::vector<ProcessorPlace> ReadProcessorTopology(const std::filesystem::path&) {
  std::vector<ProcessorPlace> places;
  EachRecord(Records(RelationProcessorCore), [&](const Record& record, int core) {
    const std::vector<int> processors = ProcessorsOf(record.Processor);
    for (size_t i = 0; i < processors.size(); ++i) {
      ProcessorPlace place;
      place.processor = processors[i];
      place.core = core;
      place.smtSibling = i > 0;
      place.efficiencyClass = EfficiencyClass(record.Processor);
      places.push_back(place);
    }
  });
  EachRecord(Records(RelationProcessorPackage), [&](const Record& record, int package) {
    for (int p : ProcessorsOf(record.Processor)) {
      for (ProcessorPlace& place : places) {
        if (place.processor == p) place.package = package;
      }
    }
  });
  std::sort(places.begin(), places.end(),
            [](const ProcessorPlace& a, const ProcessorPlace& b) { return a.processor < b.processor; });
  NameKinds(places);
  return places;
}

}  // namespace tallyforge

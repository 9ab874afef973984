#include "reference_machine.h"

#include <sstream>

#include "formats.h"
#include "regular_file.h"

namespace tallyforge {
namespace {

// The reader takes each time in a read of at most 79 characters, newline included.
constexpr size_t kLongestTimeLine = 78;

}  // namespace

std::optional<std::string> ReadReferenceMachine(const std::filesystem::path& path) {
  // Only the first lines matter; never more than this is read, and never from a non-file.
  const FileText file = ReadRegularFile(path, 64 * 1024);
  if (!file.text) return std::nullopt;
  return ReferenceMachineIn(*file.text);
}

std::optional<std::string> ReferenceMachineIn(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::string line;
  // A line ended by CR LF reads as the same line ended by LF.
  const auto next = [&] {
    if (!std::getline(in, line)) return false;
    if (line.ends_with('\r')) line.pop_back();
    return true;
  };
  for (int row = 1; row <= kRowCount; ++row) {
    if (!next() || line.size() > kLongestTimeLine) return std::nullopt;
  }
  if (!next() || !line.starts_with(kReferenceMachinePrefix)) return std::nullopt;
  std::string machine;
  for (unsigned char c : line.substr(std::string(kReferenceMachinePrefix).size())) {
    if (c >= 0x20 && c != 0x7f) machine += static_cast<char>(c);
  }
  while (!machine.empty() && machine.back() == ' ') machine.pop_back();
  if (machine.empty()) return std::nullopt;
  return machine;
}

std::string ReferenceMachineLabel(const std::optional<std::string>& machine,
                                  const std::string& literal) {
  return machine ? *machine : literal;
}

std::string ReferenceFileText(const std::array<double, kRowCount>& seconds,
                              const std::string& machine) {
  std::string text;
  for (double s : seconds) text += TimeText(s) + "\n";
  std::string oneLine;
  for (char c : machine) oneLine += (c == '\n' || c == '\r') ? ' ' : c;
  return text + kReferenceMachinePrefix + oneLine + "\n";
}

}  // namespace tallyforge

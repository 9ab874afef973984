#pragma once
// The optional tenth line of Reference.txt, which names the machine its nine times were taken on.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "result_board.h"

namespace tallyforge {

// Leads the tenth line; the nine lines before it stay plain times, as every reader expects.
inline constexpr const char* kReferenceMachinePrefix = "Machine: ";

// The machine the tenth line names (the prefix dropped, control characters removed); none when
// the file has no such line or its first nine lines are not nine short lines.
std::optional<std::string> ReadReferenceMachine(const std::filesystem::path& path);
// The same for the text of a Reference.txt.
std::optional<std::string> ReferenceMachineIn(std::string_view text);

// The text shown where the window names the reference machine: the machine of the tenth line
// when there is one, otherwise the literal text.
std::string ReferenceMachineLabel(const std::optional<std::string>& machine,
                                  const std::string& literal);

// A Reference.txt: the nine times in seconds ("%02.04f"), then the machine line.
std::string ReferenceFileText(const std::array<double, kRowCount>& seconds,
                              const std::string& machine);

}  // namespace tallyforge

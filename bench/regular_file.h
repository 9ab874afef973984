#pragma once
// Reads a regular file without ever blocking: a FIFO or device put in a file's place is refused,
// not waited on.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace tallyforge {

struct FileText {
  std::optional<std::string> text;  // the first bytes of the file, up to the limit asked for
  bool truncated = false;           // the file holds more than that
  std::string error;                // why there is no text
};

// At most limit bytes from the start of the regular file at path.
FileText ReadRegularFile(const std::filesystem::path& path, size_t limit);

}  // namespace tallyforge

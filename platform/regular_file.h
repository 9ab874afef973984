#pragma once
// Reads a regular file without ever blocking: a FIFO or device put in a file's place is refused,
// not waited on.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace tallyforge {

// What the platform's read of a file gave: the bytes, or how far it got and why it stopped.
struct FileBytes {
  enum class Failure { kNone, kOpen, kNotAFile, kRead };
  std::string bytes;       // the first bytes, up to the limit (after kRead: those read before)
  bool truncated = false;  // the file holds more than the limit
  Failure failure = Failure::kNone;
  int error = 0;           // errno of the failure (EISDIR for a directory)
};

// At most limit bytes from the start of the regular file at path (links followed).
FileBytes ReadFileBytes(const std::filesystem::path& path, size_t limit);

struct FileText {
  std::optional<std::string> text;  // the first bytes of the file, up to the limit asked for
  bool truncated = false;           // the file holds more than that
  std::string error;                // why there is no text
};

// At most limit bytes from the start of the regular file at path.
FileText ReadRegularFile(const std::filesystem::path& path, size_t limit);

}  // namespace tallyforge

#include "regular_file.h"

#include <cstring>

namespace tallyforge {

FileText ReadRegularFile(const std::filesystem::path& path, size_t limit) {
  FileBytes read = ReadFileBytes(path, limit);
  FileText result;
  result.truncated = read.truncated;
  switch (read.failure) {
    case FileBytes::Failure::kNone:
      result.text = std::move(read.bytes);
      break;
    case FileBytes::Failure::kNotAFile:
      result.error = "not a regular file";
      break;
    case FileBytes::Failure::kOpen:
    case FileBytes::Failure::kRead:
      result.error = std::strerror(read.error);
      break;
  }
  return result;
}

}  // namespace tallyforge

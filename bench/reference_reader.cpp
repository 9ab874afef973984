#include "reference_reader.h"

#include <string_view>

#include "regular_file.h"

namespace tallyforge {
namespace {

// Each read takes at most 79 characters, and at most one of them is a newline that the file
// may spell CR LF: the nine reads never need more bytes than this.
constexpr size_t kBytesForNineReads = kRowCount * 80 + 1;

// The nine reads of a text-mode reader with an 80-byte buffer: CR LF is one newline (a lone CR
// stays a character), each read ends after a newline or at 79 characters, and a NUL ends a
// read's text where it stands.
void SplitIntoReads(std::string_view bytes, std::array<std::string, kRowCount>& lines) {
  size_t at = 0;
  for (std::string& line : lines) {
    if (at >= bytes.size()) break;  // every later text stays empty
    std::string read;
    bool ended = false;
    while (read.size() < 79 && at < bytes.size()) {
      char c = bytes[at++];
      if (c == '\r' && at < bytes.size() && bytes[at] == '\n') c = bytes[at++];
      read += c;
      if (c == '\n') break;
    }
    for (char c : read) {
      if (c == '\0') ended = true;
      if (!ended) line += c;
    }
  }
}

}  // namespace

ReferenceTexts ReadReferenceFile(const std::filesystem::path& path) {
  ReferenceTexts result;
  const FileBytes read = ReadFileBytes(path, kBytesForNineReads);
  result.error = read.error;
  switch (read.failure) {
    case FileBytes::Failure::kOpen:
      return result;
    case FileBytes::Failure::kNotAFile:
      result.status = ReferenceStatus::kNotAFile;
      return result;
    case FileBytes::Failure::kRead:
      result.status = ReferenceStatus::kReadError;  // what was read until then still counts
      break;
    case FileBytes::Failure::kNone:
      result.status = ReferenceStatus::kRead;
      break;
  }
  SplitIntoReads(read.bytes, result.lines);
  return result;
}

}  // namespace tallyforge

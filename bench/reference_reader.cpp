#include "reference_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

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
  // Non-blocking, so that a FIFO without a writer cannot hang the start-up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.status = ReferenceStatus::kNotAFile;
    result.error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return result;
  }
  result.status = ReferenceStatus::kRead;
  std::string bytes(kBytesForNineReads, '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.status = ReferenceStatus::kReadError;  // what was read until then still counts
      result.error = errno;
    }
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(got);
  SplitIntoReads(bytes, result.lines);
  return result;
}

}  // namespace tallyforge

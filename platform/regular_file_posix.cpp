// Reading a file on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "regular_file.h"

namespace tallyforge {

FileBytes ReadFileBytes(const std::filesystem::path& path, size_t limit) {
  FileBytes result;
  // Non-blocking, so that a FIFO without a writer cannot hang the reader.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.failure = FileBytes::Failure::kOpen;
    result.error = errno;
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.failure = FileBytes::Failure::kNotAFile;
    result.error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return result;
  }
  const size_t size = static_cast<size_t>(info.st_size);
  result.truncated = size > limit;
  result.bytes.assign(std::min(size, limit), '\0');
  size_t got = 0;
  while (got < result.bytes.size()) {
    const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.failure = FileBytes::Failure::kRead;
      result.error = errno;
    }
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  result.bytes.resize(got);
  return result;
}

}  // namespace tallyforge

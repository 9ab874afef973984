#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tallyforge {

FileText ReadRegularFile(const std::filesystem::path& path, size_t limit) {
  FileText result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.error = std::strerror(errno);
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.error = "not a regular file";
    ::close(fd);
    return result;
  }
  const size_t size = static_cast<size_t>(info.st_size);
  result.truncated = size > limit;
  std::string text(std::min(size, limit), '\0');
  size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
    if (n < 0) {
      result.error = std::strerror(errno);
      break;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  text.resize(got);
  if (result.error.empty()) result.text = std::move(text);
  return result;
}

}  // namespace tallyforge

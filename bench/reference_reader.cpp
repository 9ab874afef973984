#include "reference_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tallyforge {

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
  std::FILE* file = ::fdopen(fd, "r");
  if (file == nullptr) {
    result.error = errno;
    ::close(fd);
    return result;
  }
  result.status = ReferenceStatus::kRead;
  char buffer[80];
  for (std::string& line : result.lines) {
    if (std::fgets(buffer, sizeof buffer, file) == nullptr) {
      if (std::ferror(file)) {
        result.status = ReferenceStatus::kReadError;
        result.error = errno;
      }
      break;  // every later text stays empty
    }
    line = buffer;  // a NUL byte inside a line ends its text there
  }
  std::fclose(file);
  return result;
}

}  // namespace tallyforge

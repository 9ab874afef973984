// Creating an output file on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "output_file.h"

namespace tallyforge {

const std::string_view kTextLineEnd = "\n";

OutputFile::OutputFile(const std::filesystem::path& path) {
  // O_NOFOLLOW: a link planted in a shared folder must not redirect the write to its target.
  // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of waiting for one.
  // No O_TRUNC: nothing is emptied before it is known to be a regular file.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = errno;
    return;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error_ = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error_ = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;  // a FIFO that has a reader, a device
  } else {
    // A regular file: back to blocking writes, emptied, then the same buffered stream that
    // fopen(path, "w") gives.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 || ::ftruncate(fd, 0) != 0) {
      error_ = errno;
    } else if ((file_ = ::fdopen(fd, "w")) == nullptr) {
      error_ = errno;
    }
  }
  if (file_ == nullptr) {
    if (error_ == 0) error_ = EIO;
    ::close(fd);
  }
}

}  // namespace tallyforge

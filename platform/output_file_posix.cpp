// Creating an output file on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "output_file.h"

namespace tallyforge {

const std::string_view kTextLineEnd = "\n";

int OutputFileTypeError(intptr_t handle) {
  struct stat info {};
  if (::fstat(static_cast<int>(handle), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return ENXIO;  // a FIFO that has a reader, a device
  return info.st_nlink > 1 ? EMLINK : 0;     // another name would see what is written
}

OutputFile::OutputFile(const std::filesystem::path& path) {
  // O_NOFOLLOW: a link planted in a shared folder must not redirect the write to its target.
  // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of waiting for one.
  // No O_TRUNC: nothing is emptied before it is known to be a regular file of one name.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = errno;
    return;
  }
  if ((error_ = OutputFileTypeError(fd)) == 0) {
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

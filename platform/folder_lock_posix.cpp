// The folder lock on POSIX systems: a write lock (fcntl) on the whole lock file.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "folder_lock.h"
#include "output_file.h"

namespace tallyforge {
namespace {

// The program name of process pid (its command's last path component), as Linux tells it;
// empty elsewhere or when it has gone.
std::string ProcessName(int64_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/cmdline";
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "";
  char buffer[256];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  std::string name;
  for (ssize_t i = 0; i < n && buffer[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(buffer[i]);
    if (c == '/') {
      name.clear();
    } else {
      name += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
  }
  return name;
}

// The whole file, from its start to any length.
struct flock WholeFile(short type) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  return range;
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) : folder_(folder) {
  // The lock file is opened as an output file is: never through a link, never waiting on a FIFO.
  const std::filesystem::path path = folder / kFolderLockName;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = errno;
    state_ = error_ == ELOOP || error_ == ENXIO || error_ == EISDIR ? State::kNotAFile
                                                                   : State::kUnavailable;
    return;
  }
  if ((error_ = OutputFileTypeError(fd)) != 0) {
    state_ = State::kNotAFile;
    ::close(fd);
    return;
  }
  // Held by another process unless taken below; a holder that lets go between the two calls
  // gives one more try.
  state_ = State::kInUse;
  for (int attempt = 0; attempt < 2; ++attempt) {
    struct flock lock = WholeFile(F_WRLCK);
    if (::fcntl(fd, F_SETLK, &lock) == 0) {
      handle_ = fd;
      state_ = State::kHeld;
      return;
    }
    if (errno != EACCES && errno != EAGAIN) {
      error_ = errno;  // e.g. a file system without locks
      state_ = State::kUnavailable;
      break;
    }
    struct flock holder = WholeFile(F_WRLCK);
    if (::fcntl(fd, F_GETLK, &holder) != 0) break;
    if (holder.l_type == F_UNLCK) continue;
    if (holder.l_pid > 0) {
      holder_ = holder.l_pid;
      holderName_ = ProcessName(holder_);
    }
    break;
  }
  ::close(fd);
}

FolderLock::~FolderLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

}  // namespace tallyforge

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "atomic_file.h"

namespace tallyforge {
namespace {

// A temporary file next to path, open for writing; -1 with errno set when it cannot be made.
int CreateTemporary(const std::filesystem::path& path, std::string& name) {
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  std::string hidden = ".";  // appended, not "." + name: g++ 12 warns falsely (-Wrestrict)
  hidden += path.filename().string();
  hidden += ".XXXXXX";
  name = (folder / hidden).string();
  return ::mkstemp(name.data());
}

mode_t ModeFor(const std::filesystem::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

int ReplaceFile(const std::filesystem::path& path, std::string_view text) {
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) return errno;
  int error = 0;
  while (error == 0 && !text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno != EINTR) error = errno;
    if (n > 0) text.remove_prefix(static_cast<size_t>(n));
  }
  // On the disk before the name moves, so that a crash cannot leave an empty file in its place.
  if (error == 0 && ::fchmod(fd, ModeFor(path)) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temporary.c_str());
  return error;
}

int ProbeReplaceFile(const std::filesystem::path& path) {
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) return errno;
  ::close(fd);
  ::unlink(temporary.c_str());
  return 0;
}

}  // namespace tallyforge

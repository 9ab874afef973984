#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "atomic_file.h"
#include "folder_lock.h"

namespace tallyforge {
namespace {

// The temporary file under way, for RemovePendingTemporary: files are replaced one at a time.
char pendingName[PATH_MAX];
volatile std::sig_atomic_t pendingSet = 0;

// ".<name>.XXXXXX" next to path for mkstemp. The name is cut (at a whole UTF-8 character) where
// the whole would pass the folder's limit on a name or the system's on a path, so that any name
// that can be written can be replaced.
std::string TemporaryTemplate(const std::filesystem::path& path) {
  constexpr std::string_view kSuffix = ".XXXXXX";
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  const std::string name = path.filename().string();
  long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (nameMax <= 0) nameMax = NAME_MAX;
  const long pathRoom = PATH_MAX - 2 - static_cast<long>(folder.string().size());
  const long limit = std::min(nameMax, std::max(static_cast<long>(name.size()), pathRoom));
  size_t keep = name.size();
  if (static_cast<long>(1 + keep + kSuffix.size()) > limit) {
    keep = static_cast<size_t>(std::max(0L, limit - 1 - static_cast<long>(kSuffix.size())));
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  }
  std::string hidden = ".";  // appended, not "." + name: g++ 12 warns falsely (-Wrestrict)
  hidden += name.substr(0, keep);
  hidden += kSuffix;
  return (folder / hidden).string();
}

// A temporary file next to path, open for writing and named in pendingName; -1 with errno set
// when it cannot be made.
int CreateTemporary(const std::filesystem::path& path) {
  const std::string name = TemporaryTemplate(path);
  if (name.size() >= sizeof pendingName) {
    errno = ENAMETOOLONG;
    return -1;
  }
  pendingSet = 0;
  std::memcpy(pendingName, name.c_str(), name.size() + 1);
  const int fd = ::mkstemp(pendingName);
  std::atomic_signal_fence(std::memory_order_seq_cst);  // the name is whole before it counts
  if (fd >= 0) pendingSet = 1;
  return fd;
}

// The temporary file is gone (renamed into place, or removed here).
void EndTemporary(bool remove) {
  if (remove) ::unlink(pendingName);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  pendingSet = 0;
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
  if (IsFolderLockFile(path)) return EPERM;
  const int fd = CreateTemporary(path);
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
  if (error == 0 && std::rename(pendingName, path.c_str()) != 0) error = errno;
  EndTemporary(error != 0);
  return error;
}

int ProbeReplaceFile(const std::filesystem::path& path) {
  if (IsFolderLockFile(path)) return EPERM;
  const int fd = CreateTemporary(path);
  if (fd < 0) return errno;
  ::close(fd);
  EndTemporary(true);
  return 0;
}

void RemovePendingTemporary() {
  if (pendingSet != 0) ::unlink(pendingName);
}

}  // namespace tallyforge

// The standard streams on POSIX systems.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "standard_streams.h"

namespace tallyforge {

const char* const kNullDevice = "/dev/null";

bool OpenClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open returns the lowest free descriptor, which is fd: those below it are open by now.
    const int opened = ::open(kNullDevice, O_RDWR);
    if (opened != fd) {
      if (opened >= 0) ::close(opened);
      return false;
    }
  }
  return true;
}

void ReportFileSizeLimitAsError() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace tallyforge

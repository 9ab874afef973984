// The standard streams on Windows.
#include <io.h>

#include <cstdio>

#include "standard_streams.h"

namespace tallyforge {

const char* const kNullDevice = "NUL";

bool OpenClosedStandardStreams() {
  std::FILE* const streams[] = {stdin, stdout, stderr};
  for (int fd = 0; fd <= 2; ++fd) {
    // -1: no handle; -2: the process was started without one (no console, closed stream).
    const intptr_t handle = _get_osfhandle(fd);
    if (handle != -1 && handle != -2) continue;
    if (std::freopen(kNullDevice, fd == 0 ? "r" : "w", streams[fd]) == nullptr) return false;
  }
  return true;
}

// Windows has no file-size limit of a process: a write beyond what the disk holds fails as it is.
void ReportFileSizeLimitAsError() {}

}  // namespace tallyforge

// Processor affinity on Windows: the process's mask, of the processor group it starts in (at
// most 64 processors; a larger machine's other groups are not offered).
#include <windows.h>

#include <cerrno>

#include "processor_affinity.h"
#include "windows_error.h"

namespace tallyforge {

std::vector<int> AllowedProcessors() {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) return {};
  std::vector<int> processors;
  for (int p = 0; p < static_cast<int>(sizeof(DWORD_PTR) * 8); ++p) {
    if (process & (DWORD_PTR{1} << p)) processors.push_back(p);
  }
  return processors;
}

int PinToProcessors(const std::vector<int>& processors) {
  DWORD_PTR mask = 0;
  for (int p : processors) {
    if (p < 0 || p >= static_cast<int>(sizeof(DWORD_PTR) * 8)) return EINVAL;
    mask |= DWORD_PTR{1} << p;
  }
  if (mask == 0) return EINVAL;
  // The process first, so that the thread's mask is a subset of it in either direction.
  if (!SetProcessAffinityMask(GetCurrentProcess(), mask)) {
    const DWORD error = GetLastError();
    return error == ERROR_INVALID_PARAMETER ? EINVAL : ErrnoFromWindows(error);
  }
  if (SetThreadAffinityMask(GetCurrentThread(), mask) == 0) {
    const DWORD error = GetLastError();
    return error == ERROR_INVALID_PARAMETER ? EINVAL : ErrnoFromWindows(error);
  }
  return 0;
}

}  // namespace tallyforge

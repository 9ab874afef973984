// Reading a file on Windows.
#include <windows.h>

#include <algorithm>
#include <cerrno>

#include "regular_file.h"
#include "windows_error.h"

namespace tallyforge {

FileBytes ReadFileBytes(const std::filesystem::path& path, size_t limit) {
  FileBytes result;
  // Links are followed, as on POSIX; a pipe or device in the file's place is refused before
  // the first read, so nothing waits on one.
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    result.error = OpenError(path, GetLastError());
    result.failure = result.error == EISDIR ? FileBytes::Failure::kNotAFile
                                            : FileBytes::Failure::kOpen;
    return result;
  }
  LARGE_INTEGER size{};
  if (const int error = PlainFileError(handle); error != 0 || !GetFileSizeEx(handle, &size)) {
    result.failure = FileBytes::Failure::kNotAFile;
    result.error = error == EISDIR ? EISDIR : EINVAL;
    CloseHandle(handle);
    return result;
  }
  const size_t bytes = static_cast<size_t>(size.QuadPart);
  result.truncated = bytes > limit;
  result.bytes.assign(std::min(bytes, limit), '\0');
  size_t got = 0;
  while (got < result.bytes.size()) {
    const DWORD ask = static_cast<DWORD>(std::min<size_t>(result.bytes.size() - got, 1 << 30));
    DWORD n = 0;
    if (!ReadFile(handle, result.bytes.data() + got, ask, &n, nullptr)) {
      result.failure = FileBytes::Failure::kRead;
      result.error = ErrnoFromWindows(GetLastError());
      break;
    }
    if (n == 0) break;
    got += n;
  }
  CloseHandle(handle);
  result.bytes.resize(got);
  return result;
}

}  // namespace tallyforge

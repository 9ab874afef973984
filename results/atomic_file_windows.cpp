// Replacing a file on Windows: a temporary file in the same folder, flushed to the disk, then
// moved over the old name in one step (MoveFileExW replaces a link itself, never its target).
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "atomic_file.h"
#include "windows_error.h"

// windows.h names its own ReplaceFile so; ours is the one declared in atomic_file.h.
#undef ReplaceFile

namespace tallyforge {
namespace {

// A new temporary file next to path, open for writing; INVALID_HANDLE_VALUE with error set when
// none can be made.
HANDLE CreateTemporary(const std::filesystem::path& path, std::filesystem::path& name, int& error) {
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring suffix = L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                std::to_wstring(GetTickCount64() % 100000) + L"." +
                                std::to_wstring(++counter);
    name = folder / (L"." + path.filename().wstring() + suffix);
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return handle;
    if (GetLastError() != ERROR_FILE_EXISTS) {
      error = ErrnoFromWindows(GetLastError());
      return INVALID_HANDLE_VALUE;
    }
  }
  error = EEXIST;
  return INVALID_HANDLE_VALUE;
}

}  // namespace

int ReplaceFile(const std::filesystem::path& path, std::string_view text) {
  std::filesystem::path temporary;
  int error = 0;
  const HANDLE handle = CreateTemporary(path, temporary, error);
  if (handle == INVALID_HANDLE_VALUE) return error;
  while (error == 0 && !text.empty()) {
    DWORD written = 0;
    const DWORD ask = static_cast<DWORD>(std::min<size_t>(text.size(), 1 << 30));
    if (!WriteFile(handle, text.data(), ask, &written, nullptr)) {
      error = ErrnoFromWindows(GetLastError());
    }
    text.remove_prefix(written);
  }
  // On the disk before the name moves, so that a crash cannot leave an empty file in its place.
  if (error == 0 && !FlushFileBuffers(handle)) error = ErrnoFromWindows(GetLastError());
  CloseHandle(handle);
  if (error == 0 && !MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ErrnoFromWindows(GetLastError());
  }
  if (error != 0) DeleteFileW(temporary.c_str());
  return error;
}

int ProbeReplaceFile(const std::filesystem::path& path) {
  std::filesystem::path temporary;
  int error = 0;
  const HANDLE handle = CreateTemporary(path, temporary, error);
  if (handle == INVALID_HANDLE_VALUE) return error;
  CloseHandle(handle);
  DeleteFileW(temporary.c_str());
  return 0;
}

}  // namespace tallyforge

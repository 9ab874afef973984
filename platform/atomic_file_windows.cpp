// Replacing a file on Windows: a temporary file in the same folder, flushed to the disk, then
// moved over the old name in one step (MoveFileExW replaces a link itself, never its target).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>

#include "atomic_file.h"
#include "folder_lock.h"
#include "windows_error.h"

// windows.h names its own ReplaceFile so; ours is the one declared in atomic_file.h.
#undef ReplaceFile

namespace tallyforge {
namespace {

// The temporary file under way, for RemovePendingTemporary: files are replaced one at a time.
constexpr size_t kLongestPath = 32768;
wchar_t pendingName[kLongestPath];
std::atomic<bool> pendingSet{false};

// ".<name>.<suffix>" next to path. The name is cut (never between the two halves of a
// character) where the whole would pass the limit on a name (255) or on a path (MAX_PATH), so
// that any name that can be written can be replaced.
std::filesystem::path TemporaryName(const std::filesystem::path& path, const std::wstring& suffix) {
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  const std::wstring name = path.filename().wstring();
  std::error_code ec;
  const long pathRoom =
      MAX_PATH - 2 - static_cast<long>(std::filesystem::absolute(folder, ec).wstring().size());
  const long limit = std::min(255L, std::max(static_cast<long>(name.size()), pathRoom));
  size_t keep = name.size();
  if (static_cast<long>(1 + keep + suffix.size()) > limit) {
    keep = static_cast<size_t>(std::max(0L, limit - 1 - static_cast<long>(suffix.size())));
    if (keep > 0 && name[keep] >= 0xDC00 && name[keep] <= 0xDFFF) --keep;
  }
  return folder / (L"." + name.substr(0, keep) + suffix);
}

// A new temporary file next to path, open for writing and named in pendingName;
// INVALID_HANDLE_VALUE with error set when none can be made. Others may delete it while it is
// open, so that RemovePendingTemporary can.
HANDLE CreateTemporary(const std::filesystem::path& path, int& error) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring suffix = L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                std::to_wstring(GetTickCount64() % 100000) + L"." +
                                std::to_wstring(++counter);
    const std::wstring name = TemporaryName(path, suffix).wstring();
    if (name.size() >= kLongestPath) {
      error = ENAMETOOLONG;
      return INVALID_HANDLE_VALUE;
    }
    pendingSet = false;
    std::copy(name.c_str(), name.c_str() + name.size() + 1, pendingName);
    const HANDLE handle = CreateFileW(pendingName, GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      pendingSet = true;
      return handle;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) {
      error = ErrnoFromWindows(GetLastError());
      return INVALID_HANDLE_VALUE;
    }
  }
  error = EEXIST;
  return INVALID_HANDLE_VALUE;
}

// The temporary file is gone (moved into place, or removed here).
void EndTemporary(bool remove) {
  if (remove) DeleteFileW(pendingName);
  pendingSet = false;
}

}  // namespace

int ReplaceFile(const std::filesystem::path& path, std::string_view text) {
  if (IsFolderLockFile(path)) return EPERM;
  int error = 0;
  const HANDLE handle = CreateTemporary(path, error);
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
  if (error == 0 && !MoveFileExW(pendingName, path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ErrnoFromWindows(GetLastError());
  }
  EndTemporary(error != 0);
  return error;
}

int ProbeReplaceFile(const std::filesystem::path& path) {
  if (IsFolderLockFile(path)) return EPERM;
  int error = 0;
  const HANDLE handle = CreateTemporary(path, error);
  if (handle == INVALID_HANDLE_VALUE) return error;
  CloseHandle(handle);
  EndTemporary(true);
  return 0;
}

void RemovePendingTemporary() {
  if (pendingSet) DeleteFileW(pendingName);
}

}  // namespace tallyforge

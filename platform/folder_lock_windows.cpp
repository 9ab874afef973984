// The folder lock on Windows: an exclusive byte-range lock (LockFileEx) far beyond the lock
// file's text, which names the holder for the runs that find the folder taken.
#include <windows.h>

#include <cerrno>
#include <string>

#include "folder_lock.h"
#include "output_file.h"
#include "windows_error.h"

namespace tallyforge {
namespace {

// The locked byte lies beyond any text, so that the holder's line stays readable.
constexpr DWORD kLockOffsetHigh = 0x7fffffff;

bool LockByte(HANDLE handle) {
  OVERLAPPED at{};
  at.OffsetHigh = kLockOffsetHigh;
  return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

// This process's id and program name, as the lock file's text.
std::string HolderLine() {
  wchar_t path[MAX_PATH] = L"";
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, length);
  name = name.substr(name.find_last_of(L"\\/") + 1);
  std::string line = std::to_string(GetCurrentProcessId()) + " ";
  for (wchar_t c : name) line += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
  return line;
}

void ReadHolder(HANDLE handle, int64_t& pid, std::string& name) {
  char text[300] = "";
  DWORD got = 0;
  OVERLAPPED start{};
  if (!ReadFile(handle, text, sizeof text - 1, &got, &start)) return;
  const std::string line(text, got);
  const size_t blank = line.find(' ');
  if (blank == 0 || blank == std::string::npos ||
      line.find_first_not_of("0123456789") != blank || blank > 10) {
    return;
  }
  pid = std::stoll(line.substr(0, blank));
  for (char c : line.substr(blank + 1)) name += c >= 0x20 && c < 0x7f ? c : '?';
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) : folder_(folder) {
  // The lock file is opened as an output file is: never through a link, never a pipe.
  const std::filesystem::path path = folder / kFolderLockName;
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error_ = OpenError(path, GetLastError());
    state_ = error_ == ELOOP || error_ == EISDIR ? State::kNotAFile : State::kUnavailable;
    return;
  }
  // Its text names the holder: a hard link would carry that text to another file.
  if ((error_ = OutputFileTypeError(reinterpret_cast<intptr_t>(handle))) != 0) {
    state_ = State::kNotAFile;
    CloseHandle(handle);
    return;
  }
  if (LockByte(handle)) {
    const std::string line = HolderLine();
    DWORD written = 0;
    OVERLAPPED start{};
    if (WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, &start)) {
      LARGE_INTEGER end{};
      end.QuadPart = written;
      if (SetFilePointerEx(handle, end, nullptr, FILE_BEGIN)) SetEndOfFile(handle);
    }
    handle_ = reinterpret_cast<intptr_t>(handle);
    state_ = State::kHeld;
    return;
  }
  const DWORD failure = GetLastError();
  if (failure == ERROR_LOCK_VIOLATION || failure == ERROR_IO_PENDING) {
    state_ = State::kInUse;
    ReadHolder(handle, holder_, holderName_);
  } else {
    error_ = ErrnoFromWindows(failure);  // e.g. a file system without locks
    state_ = State::kUnavailable;
  }
  CloseHandle(handle);
}

FolderLock::~FolderLock() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace tallyforge

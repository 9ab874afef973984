// Creating an output file on Windows: a text-mode stream, so that every newline is written as
// CR LF.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

#include "output_file.h"
#include "windows_error.h"

namespace tallyforge {

const std::string_view kTextLineEnd = "\r\n";

int OutputFileTypeError(intptr_t handle) {
  const HANDLE file = reinterpret_cast<HANDLE>(handle);
  if (const int error = PlainFileError(file)) return error;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) return ErrnoFromWindows(GetLastError());
  return info.nNumberOfLinks > 1 ? EMLINK : 0;  // another name would see what is written
}

OutputFile::OutputFile(const std::filesystem::path& path) {
  // FILE_FLAG_OPEN_REPARSE_POINT: a link planted in a shared folder is opened itself (and
  // refused below), never its target. Pipes and devices are refused before anything is
  // written; CreateFileW does not wait for a pipe's server. OPEN_ALWAYS, not CREATE_ALWAYS:
  // nothing is emptied before it is known to be a plain file of one name.
  const HANDLE handle =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                  nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error_ = OpenError(path, GetLastError());
    return;
  }
  if ((error_ = OutputFileTypeError(reinterpret_cast<intptr_t>(handle))) != 0 ||
      !SetEndOfFile(handle)) {
    if (error_ == 0) error_ = ErrnoFromWindows(GetLastError());
    CloseHandle(handle);
    return;
  }
  // The C runtime's text mode from here: the stream that fopen(path, "w") gives.
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_TEXT);
  if (fd < 0) {
    error_ = EIO;
    CloseHandle(handle);
    return;
  }
  if ((file_ = _fdopen(fd, "wt")) == nullptr) {
    error_ = errno != 0 ? errno : EIO;
    _close(fd);
  }
}

}  // namespace tallyforge

#include "windows_error.h"

#include <cerrno>

namespace tallyforge {

int ErrnoFromWindows(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_PIPE_BUSY:
    case ERROR_PIPE_NOT_CONNECTED:
      return ENXIO;
    default:
      return EIO;
  }
}

int PlainFileError(HANDLE handle) {
  if (GetFileType(handle) != FILE_TYPE_DISK) return ENXIO;
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) {
    return ErrnoFromWindows(GetLastError());
  }
  if (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return ELOOP;
  if (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  if (info.FileAttributes & FILE_ATTRIBUTE_DEVICE) return ENXIO;
  return 0;
}

int OpenError(const std::filesystem::path& path, DWORD error) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ELOOP;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  }
  return ErrnoFromWindows(error);
}

}  // namespace tallyforge

#pragma once
// Windows builds only: the system's error codes as the errno values the rest of the program
// reports, and the handles of files opened without following links.
#include <windows.h>

#include <filesystem>

namespace tallyforge {

// The errno value closest to a GetLastError() code (EIO when none is).
int ErrnoFromWindows(DWORD error);

// Whether handle is a plain file on a disk: not a pipe, console or device, and not a link or
// other reparse point (opened with FILE_FLAG_OPEN_REPARSE_POINT, which opens it itself).
// 0 if it is; else ELOOP (a link), EISDIR (a directory) or ENXIO (anything else).
int PlainFileError(HANDLE handle);

// Why CreateFileW failed for path: a directory there reads as EISDIR (CreateFileW gives
// "access denied"), everything else as ErrnoFromWindows says.
int OpenError(const std::filesystem::path& path, DWORD error);

}  // namespace tallyforge

#pragma once
// A buffered text file that a run writes, created without ever following a symbolic link or
// waiting on a FIFO; its write errors are collected at the end.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallyforge {

class OutputFile {
 public:
  // Creates path, or empties it if it is a regular file of that one name, for writing. Anything
  // else in its place is left untouched and refused: a symbolic link (dangling or not) fails with
  // ELOOP, a FIFO, socket or device with ENXIO, a directory with EISDIR, a hard link (a file of
  // more than one name, whose other names would see the new text) with EMLINK; none of them
  // blocks. On failure is_open() is false and error() says why.
  explicit OutputFile(const std::filesystem::path& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool is_open() const { return file_ != nullptr; }
  std::FILE* get() const { return file_; }

  // Flushes and closes the file. Returns 0, or the errno of the first failed write or of the
  // close: the file then does not hold everything that was written to it.
  int Close();
  int error() const { return error_; }

 private:
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

// Whether the file open as handle (a descriptor on POSIX, a HANDLE on Windows) may be written as
// an output file: 0 for a regular file of one name; else ELOOP, EISDIR, ENXIO or EMLINK, as
// OutputFile refuses them. The folder lock's file is checked the same way.
int OutputFileTypeError(intptr_t handle);

// What a newline written to an output file becomes: LF on POSIX systems, CR LF on Windows,
// whose C runtime writes text-mode files so.
extern const std::string_view kTextLineEnd;

// Why an output file could not be created or written, for the user: the system's words, or
// what was found in the file's place.
std::string OutputFileErrorText(int error);

}  // namespace tallyforge

#pragma once
// A benchmark's buffered text output file, whose write errors are collected at the end.
#include <cstdio>
#include <filesystem>

namespace tallyforge {

class OutputFile {
 public:
  // Creates or truncates path for writing. On failure is_open() is false and error() says why.
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

}  // namespace tallyforge

#include "output_file.h"

#include <cerrno>

namespace tallyforge {

OutputFile::OutputFile(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "w")) {
  if (file_ == nullptr) error_ = errno != 0 ? errno : EIO;
}

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

int OutputFile::Close() {
  if (file_ == nullptr) return error_;
  // The error flag is sticky, so one test at the end covers every write of the run; the
  // flush retries what is still buffered and leaves a fresh errno.
  errno = 0;
  if (std::fflush(file_) != 0 || std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
  errno = 0;
  if (std::fclose(file_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
  file_ = nullptr;
  return error_;
}

}  // namespace tallyforge

#include "output_file.h"

#include <cerrno>
#include <cstring>

namespace tallyforge {

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

std::string OutputFileErrorText(int error) {
  switch (error) {
    case ELOOP:
      return "a symbolic link is in its place (links are never followed)";
    case ENXIO:
      return "it is not a regular file (a FIFO, socket or device is in its place)";
    case EISDIR:
      return "a directory is in its place";
    case EMLINK:
      return "it is a hard link (a file of more than one name), which would be written through";
    default:
      return std::strerror(error);
  }
}

}  // namespace tallyforge

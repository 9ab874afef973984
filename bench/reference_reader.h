#pragma once
// Reads the nine reference times of Reference.txt, line by line in 80-byte reads.
#include <array>
#include <filesystem>
#include <string>

#include "result_board.h"

namespace tallyforge {

inline constexpr const char* kReferenceFileName = "Reference.txt";

enum class ReferenceStatus {
  kRead,        // the file was read; missing lines gave empty texts
  kMissing,     // no such file or it could not be opened: nothing was read
  kNotAFile,    // a directory, FIFO or device: not opened for reading, nothing was read
  kReadError,   // opened, but a read failed part-way; the texts read until then are kept
};

struct ReferenceTexts {
  ReferenceStatus status = ReferenceStatus::kMissing;
  int error = 0;  // errno of a failure, 0 otherwise
  // Text of each of the nine reads, newline included; empty where the file had no more lines.
  std::array<std::string, kRowCount> lines;
};

// Nine reads of at most 79 characters each (up to and including a newline), so a longer
// line continues in the next text. Only the first nine reads' worth of the file is touched.
ReferenceTexts ReadReferenceFile(const std::filesystem::path& path);

}  // namespace tallyforge

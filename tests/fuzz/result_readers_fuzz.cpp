// Fuzz target for the readers of files a user or a run leaves behind: Reference.txt and the
// checks that read the Numbers files and Factors.txt back. The first byte picks the reader; the
// rest is the file's text.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reference_reader.h"
#include "verifiers.h"
#include "verification.h"

namespace {

using namespace tallyforge;

// The reference reader takes a path: an in-memory file stands behind it.
ReferenceTexts ReadReference(std::string_view text) {
  static const int fd = memfd_create("Reference.txt", 0);
  if (fd < 0) std::abort();
  if (ftruncate(fd, 0) != 0 ||
      pwrite(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) {
    std::abort();
  }
  const ReferenceTexts texts = ReadReferenceFile("/proc/self/fd/" + std::to_string(fd));
  if (texts.status != ReferenceStatus::kRead) std::abort();
  for (const std::string& line : texts.lines) {
    if (line.size() > 79) std::abort();
  }
  return texts;
}

// Reads of at most 79 characters, and a file with LF line ends reads exactly as the same file
// with CR LF ends. (The LF file is the text without the CRs that end its lines, so that it
// holds no CR LF of its own.)
void ReadAsReferenceFile(std::string_view text) {
  std::string lf;
  for (char c : text) {
    if (c == '\n') {
      while (!lf.empty() && lf.back() == '\r') lf.pop_back();
    }
    lf += c;
  }
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ReadReference(text);
  if (ReadReference(lf).lines != ReadReference(crlf).lines) std::abort();
}

void Check(const Verification& result) {
  const std::string text = VerificationText(result);
  if (text.empty()) std::abort();
  if (result.ok() && result.checked < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool complete = (data[0] & 0x10) == 0;
  switch (data[0] % 4) {
    case 0:
      ReadAsReferenceFile(text);
      break;
    case 1:
      Check(CheckNumbersText(text, RangeSpec{5, 2000, 100}, true, complete));
      break;
    case 2:
      Check(CheckNumbersText(text, RangeSpec{1000000005, 1000002000, 100}, false, complete));
      break;
    case 3:
      Check(CheckFactorsText(text, 1000000000, 1000000200, complete));
      break;
  }
  return 0;
}

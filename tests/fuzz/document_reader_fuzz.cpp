// Fuzz target for what `check` and `compare` read: result documents, and the Machine: line of
// Reference.txt that documents record. The first byte picks the reader; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document_check.h"
#include "document_compare.h"
#include "document_reader.h"
#include "reference_machine.h"
#include "result_document.h"

namespace {

using namespace tallyforge;

void ReadAsDocument(std::string_view text) {
  std::string error;
  const auto document = ParseDocument(text, error);
  if (!document) {
    if (error.empty()) std::abort();  // a refusal always says why
    return;
  }
  static std::FILE* const sink = std::fopen("/dev/null", "w");
  PrintFindings(sink, CheckDocument(*document, {}));
  CompareDocuments(*document, *document, {}, sink);
  // What was read once reads again from its own text.
  if (!ParseDocument(DocumentText(*document), error)) std::abort();
}

void ReadAsReference(std::string_view text) {
  const auto machine = ReferenceMachineIn(text);
  if (!machine) return;
  if (machine->empty() || machine->size() > text.size()) std::abort();
  for (unsigned char c : *machine) {
    if (c < 0x20 || c == 0x7f) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] % 2 == 0) {
    ReadAsDocument(text);
  } else {
    ReadAsReference(text);
  }
  return 0;
}

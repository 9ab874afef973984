#include "document_reader.h"

#include <nlohmann/json.hpp>
#include <new>

#include "document_schema.h"
#include "regular_file.h"
#include "safe_text.h"

namespace tallyforge {
namespace {

using nlohmann::json;

// Whether text holds a run between quotes longer than kLongestDocumentText: found before any
// parsing, since the parser would build the whole string first.
bool HoldsALongText(std::string_view text) {
  bool inside = false;
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!inside) {
      inside = text[i] == '"';
    } else if (text[i] == '"') {
      inside = false;
      run = 0;
    } else {
      if (text[i] == '\\') ++i;  // an escaped quote goes on the text
      if (++run > kLongestDocumentText) return true;
    }
  }
  return false;
}

// A first pass over the text that builds nothing: it stops at the first syntax error, at a
// nesting deeper than kDeepestDocument or at more than kMostDocumentValues values, so that the
// tree built afterwards stays within those bounds.
class Limits final : public nlohmann::json_sax<json> {
 public:
  std::string error;

  bool null() override { return Value(); }
  bool boolean(bool) override { return Value(); }
  bool number_integer(number_integer_t) override { return Value(); }
  bool number_unsigned(number_unsigned_t) override { return Value(); }
  bool number_float(number_float_t, const string_t&) override { return Value(); }
  bool string(string_t&) override { return Value(); }
  bool binary(binary_t&) override { return Value(); }
  bool start_object(std::size_t) override { return Open(); }
  bool key(string_t&) override { return true; }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&,
                   const nlohmann::detail::exception& e) override {
    error = std::string("is not JSON: ") + e.what();
    return false;
  }

 private:
  bool Value() {
    if (++m_values <= kMostDocumentValues) return true;
    error = "holds more than " + std::to_string(kMostDocumentValues) +
            " values: not a result document";
    return false;
  }
  bool Open() {
    if (++m_depth <= kDeepestDocument) return Value();
    error = "is nested more than " + std::to_string(kDeepestDocument) +
            " deep: not a result document";
    return false;
  }
  bool Close() {
    --m_depth;
    return true;
  }

  size_t m_values = 0;
  int m_depth = 0;
};

constexpr const char* kNoMemory = "cannot be read: not enough memory to read the document";

}  // namespace

std::optional<ResultDocument> ParseDocument(std::string_view text, std::string& error) {
  try {
    if (HoldsALongText(text)) {
      error = "holds a text longer than " + std::to_string(kLongestDocumentText >> 20) +
              " MB: not a result document";
      return std::nullopt;
    }
    Limits limits;
    if (!json::sax_parse(text, &limits)) {
      error = TerminalText(limits.error);
      return std::nullopt;
    }
    const std::optional<JsonValue> tree = ParseJsonTree(text);
    if (!tree) {
      error = "is not JSON";
      return std::nullopt;
    }
    ResultDocument document;
    if (!ReadDocumentTree(*tree, document, error)) return std::nullopt;
    return document;
  } catch (const std::bad_alloc&) {
    error = kNoMemory;
    return std::nullopt;
  }
}

std::optional<ResultDocument> ReadDocument(const std::filesystem::path& path, std::string& error) {
  FileText file;
  try {
    file = ReadRegularFile(path, kLargestDocument);
  } catch (const std::bad_alloc&) {
    error = kNoMemory;
    return std::nullopt;
  }
  if (!file.text) {
    error = "cannot be read: " + file.error;
    return std::nullopt;
  }
  if (file.truncated) {
    error = "is larger than " + std::to_string(kLargestDocument >> 20) +
            " MB: not a result document";
    return std::nullopt;
  }
  return ParseDocument(*file.text, error);
}

}  // namespace tallyforge

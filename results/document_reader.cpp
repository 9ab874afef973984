#include "document_reader.h"

#include "document_schema.h"
#include "regular_file.h"
#include "result_document.h"
#include "safe_text.h"

namespace tallyforge {
namespace {

using nlohmann::json;
namespace key = document_key;

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

std::optional<CheckStatus> StatusNamed(const std::string& name) {
  for (CheckStatus status : {CheckStatus::kVerified, CheckStatus::kWrong,
                             CheckStatus::kUnreadable, CheckStatus::kNotChecked}) {
    if (name == CheckStatusName(status)) return status;
  }
  return std::nullopt;
}

std::optional<std::string> OptionalText(const json& value) {
  if (value.is_null()) return std::nullopt;
  return value.get<std::string>();
}

std::optional<double> MedianOf(const json& statistics) {
  if (statistics.is_null()) return std::nullopt;
  return statistics["median"].get<double>();
}

// The fields are known to be there with their types: MatchesDocumentSchema said so.
bool ReadRuns(const json& runs, ResultDocument& document, std::string& error) {
  for (const json& run : runs) {
    DocumentRun& read = document.runs.emplace_back();
    read.pass = run["pass"].get<int64_t>();
    read.benchmark = run["benchmark"].get<std::string>();
    read.ran = run["ran"].get<bool>();
    read.stopped = run["stopped"].get<bool>();
    read.seconds = run["seconds"].get<double>();
    read.outputFile = OptionalText(run["output_file"]);
    read.outputSha256 = OptionalText(run["output_sha256"]);
    const json& verification = run["verification"];
    if (verification.is_null()) continue;
    const std::string& status = verification["status"].get_ref<const std::string&>();
    read.check = StatusNamed(status);
    if (!read.check) {
      error = "runs[" + std::to_string(document.runs.size() - 1) +
              "].verification.status: unknown status \"" + TerminalText(status) + "\"";
      return false;
    }
    read.checkText = verification["text"].get<std::string>();
  }
  return true;
}

void ReadJobs(const json& jobs, ResultDocument& document) {
  if (!jobs.is_array()) return;
  for (const json& count : jobs) {
    const int64_t copies = count[key::kCopies].get<int64_t>();
    const json& results = count[key::kCopyResults];
    if (copies < 1 || results.size() != static_cast<uint64_t>(copies)) {
      // Never written so: one entry stands for whatever is missing, so that it cannot pass.
      document.copies.push_back({copies, "", -1, false,
                                 std::to_string(results.size()) + " copies recorded of " +
                                     std::to_string(copies)});
    }
    for (const json& copy : results) {
      DocumentCopy& read = document.copies.emplace_back();
      read.copies = copies;
      read.folder = copy[key::kFolder].get<std::string>();
      read.exitCode = copy[key::kExitCode].get<int64_t>();
      read.complete = copy[key::kComplete].get<bool>();
      if (copy.contains(key::kState)) read.state = copy[key::kState].get<std::string>();
    }
  }
}

void ReadStop(const json& document, ResultDocument& read) {
  const auto stop = document.find(key::kStop);
  if (stop == document.end() || stop->is_null()) return;
  StopRecord& record = read.stop.emplace();
  record.at = (*stop)[key::kStopAt].get<std::string>();
  for (const json& item : (*stop)[key::kNotRun]) record.notRun.push_back(item.get<std::string>());
}

}  // namespace

std::string ArithmeticOf(const ResultDocument& document) {
  return document.remainder ? *document.remainder : "unknown (older document)";
}

bool SameArithmetic(const ResultDocument& a, const ResultDocument& b) {
  return a.remainder && b.remainder && *a.remainder == *b.remainder;
}

std::optional<ResultDocument> ParseDocument(std::string_view text, std::string& error) {
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
  ResultDocument document;
  document.json = json::parse(text, nullptr, /*allow_exceptions=*/false);
  const json& doc = document.json;
  if (doc.is_discarded()) {
    error = "is not JSON";
    return std::nullopt;
  }
  if (!doc.is_object() || !doc.contains("schema") || doc["schema"] != kDocumentSchema) {
    error = "is not a tallyforge result document (no \"schema\": \"" +
            std::string(kDocumentSchema) + "\")";
    return std::nullopt;
  }
  const json& version = doc.contains("schema_version") ? doc["schema_version"] : json();
  if (!version.is_number_integer() || version < 1 || version > kDocumentSchemaVersion) {
    error = "has schema_version " + TerminalText(version.dump()) + "; this program reads 1 to " +
            std::to_string(kDocumentSchemaVersion);
    return std::nullopt;
  }
  document.schemaVersion = version.get<int64_t>();
  if (!MatchesDocumentSchema(doc, static_cast<int>(document.schemaVersion), error)) {
    error = "is not a valid result document: " + error;
    return std::nullopt;
  }
  if (document.schemaVersion >= 2) document.finished = doc["finished"].get<bool>();
  document.standardWorkload = doc["workload"] == "standard";
  document.figuresSha256 = doc["integrity"]["figures_sha256"].get<std::string>();
  if (!ReadRuns(doc["runs"], document, error)) {
    error = "is not a valid result document: " + error;
    return std::nullopt;
  }
  for (const json& benchmark : doc["benchmarks"]) {
    document.medians.emplace_back(benchmark["benchmark"].get<std::string>(),
                                  MedianOf(benchmark["seconds"]));
  }
  document.medianScore = MedianOf(doc["total_score"]["statistics"]);
  if (doc.contains(key::kRemainder)) document.remainder = doc[key::kRemainder].get<std::string>();
  ReadStop(doc, document);
  ReadJobs(doc[key::kJobs], document);
  return document;
}

std::optional<ResultDocument> ReadDocument(const std::filesystem::path& path, std::string& error) {
  const FileText file = ReadRegularFile(path, kLargestDocument);
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

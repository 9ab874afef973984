#pragma once
// Reading a result document back, strictly: only a regular file, never blocking, up to a size
// cap, nested only so deep, and every documented field present with its type. Whatever the
// bytes, the answer is a document or a reason, never a crash.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stop_record.h"
#include "verification.h"

namespace tallyforge {

// A written document is a few hundred KB with about one value per 25 bytes, nested 5 deep.
inline constexpr size_t kLargestDocument = size_t{64} << 20;
inline constexpr size_t kMostDocumentValues = 2000000;
inline constexpr int kDeepestDocument = 16;
inline constexpr size_t kLongestDocumentText = size_t{1} << 20;  // a path or an argument is shorter

// A run as the document records it.
struct DocumentRun {
  int64_t pass = 0;
  std::string benchmark;
  bool ran = false;
  bool stopped = false;
  double seconds = 0;
  std::optional<std::string> outputFile;
  std::optional<std::string> outputSha256;
  std::optional<CheckStatus> check;  // none: no check was made (the run did not take place)
  std::string checkText;
};

// A copy of --jobs as its parent's document records it.
struct DocumentCopy {
  int64_t copies = 0;  // of its count
  std::string folder;
  int64_t exitCode = 0;
  bool complete = false;  // ran to its end, every result verified
  std::string state;      // as the parent described it; empty in older documents
};

struct ResultDocument {
  nlohmann::json json;  // as read: the digest of the figures is taken over it
  int64_t schemaVersion = 0;
  bool finished = true;  // false: written after a benchmark of a run that did not reach its end
  bool standardWorkload = false;
  std::string figuresSha256;  // as recorded
  std::vector<DocumentRun> runs;
  // Each benchmark's median seconds over its passes, in the document's order.
  std::vector<std::pair<std::string, std::optional<double>>> medians;
  std::optional<double> medianScore;
  std::optional<std::string> remainder;  // the engine's remainder; none in older documents
  std::optional<StopRecord> stop;        // how a stop ended the invocation, if one did
  std::vector<DocumentCopy> copies;      // --jobs: every copy of every count
};

// What arithmetic the document's times were measured with: its remainder routine, or "unknown
// (older document)" for one written before documents recorded it (the C library's fmod of
// whatever platform made it).
std::string ArithmeticOf(const ResultDocument& document);

// Whether the times of a and b were measured with the same, known arithmetic.
bool SameArithmetic(const ResultDocument& a, const ResultDocument& b);

// The document in text; none, with the reason in error (printable), when it is not JSON, is
// nested deeper than kDeepestDocument, holds more than kMostDocumentValues values or a text
// (a string or a key) longer than kLongestDocumentText, is not a
// tallyforge result document of a known schema version, or lacks a field or has one of the
// wrong type.
std::optional<ResultDocument> ParseDocument(std::string_view text, std::string& error);

// The same for the file at path, which must be a regular file of at most kLargestDocument bytes.
std::optional<ResultDocument> ReadDocument(const std::filesystem::path& path, std::string& error);

}  // namespace tallyforge

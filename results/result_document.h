#pragma once
// The JSON result document of one invocation: plain data in, JSON text out, no I/O.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "machine_facts.h"
#include "reference_reader.h"
#include "run_record.h"
#include "stop_record.h"

namespace tallyforge {

// 2: "finished", "slowdown.noise", and jobs' figures null for a count whose copies did not all
// complete. Version 1 documents read the same way. Members added since ("remainder", "stop")
// keep the version: a reader that ignores them still judges the document rightly, since a
// stopped run's document is also not "finished".
inline constexpr int kDocumentSchemaVersion = 2;
inline constexpr const char* kDocumentSchema = "tallyforge-result";

// Everything about an invocation besides its runs.
struct DocumentContext {
  std::string time;  // when it started, ISO 8601 UTC
  std::vector<std::string> arguments;
  bool stress = false;
  int repeat = 1;
  bool standardWorkload = true;  // the published work, whose output files have known answers
  MachineFacts machine;
  std::string referencePath;
  ReferenceTexts reference;
  std::optional<std::string> referenceMachine;
  std::optional<StopRecord> stop;  // a stop ended the invocation before all it set out to do
};

// The document, its integrity member included. jobs, when given, is stored as it is. finished:
// the invocation wrote it at its end, not after one of its benchmarks on the way; it is recorded
// so only when no stop ended the invocation. Every text in it is valid UTF-8 (invalid bytes
// replaced by U+FFFD).
nlohmann::json BuildDocument(const DocumentContext& context, const std::vector<RecordedRun>& runs,
                             const std::vector<PassScore>& scores,
                             const std::optional<nlohmann::json>& jobs = std::nullopt,
                             bool finished = true);

// The document as the file holds it: indented, with a final newline.
std::string DocumentText(const nlohmann::json& document);

// The digest of the document's figures: SHA-256 of its compact text without "integrity".
std::string FiguresDigest(const nlohmann::json& document);

// How a check's status is named in the document: "verified", "wrong", "unreadable", "not checked".
const char* CheckStatusName(CheckStatus status);

// The numeric value of a score cell ("1000\n" gives 1000); none for "n/a" or an empty cell.
std::optional<double> ScoreValue(const std::string& text);

// The current time as ISO 8601 UTC, e.g. 2026-12-07T09:40:00Z.
std::string UtcTimestamp();

}  // namespace tallyforge

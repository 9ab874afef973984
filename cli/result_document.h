#pragma once
// The JSON result document of one invocation: plain data in, JSON text out, no I/O.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "machine_facts.h"
#include "reference_reader.h"
#include "repeat_stats.h"
#include "run_recorder.h"

namespace tallyforge::cli {

inline constexpr int kDocumentSchemaVersion = 1;
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
};

// One pass's total score cell; only stress runs have them.
struct PassScore {
  int pass = 1;
  bool scored = false;
  std::string text;  // the cell, e.g. "1000\n"
};

// The document, its integrity member included. jobs, when given, is stored as it is.
nlohmann::json BuildDocument(const DocumentContext& context, const std::vector<RecordedRun>& runs,
                             const std::vector<PassScore>& scores,
                             const std::optional<nlohmann::json>& jobs = std::nullopt);

// The digest of the document's figures: SHA-256 of its compact text without "integrity".
std::string FiguresDigest(nlohmann::json document);

// The numeric value of a score cell ("1000\n" gives 1000); none for "n/a" or an empty cell.
std::optional<double> ScoreValue(const std::string& text);

// The current time as ISO 8601 UTC, e.g. 2026-12-07T09:40:00Z.
std::string UtcTimestamp();

}  // namespace tallyforge::cli

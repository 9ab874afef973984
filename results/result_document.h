#pragma once
// The result document of one invocation as plain data: what the writer turns into JSON and the
// reader gives back (document_schema.cpp holds its field table), and how a session's records and
// the copies of --jobs become one.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "jobs_summary.h"
#include "machine_facts.h"
#include "recorded_results.h"
#include "reference_reader.h"
#include "stop_record.h"
#include "verification.h"

namespace tallyforge {

// 2: "finished", "slowdown.noise", and jobs' figures null for a count whose copies did not all
// complete. Version 1 documents read the same way. Members added since ("remainder", "stop")
// keep the version: a reader that ignores them still judges the document rightly, since a
// stopped run's document is also not "finished".
inline constexpr int kDocumentSchemaVersion = 2;
inline constexpr const char* kDocumentSchema = "tallyforge-result";

struct DocumentProgram {
  std::string name, version, commit, compiler, flags;
};

struct DocumentMachine {
  std::string cpuModel;
  int64_t logicalCores = 0, physicalCores = 0, memoryBytes = 0;
  std::string os, kernel, architecture, description;
};

struct DocumentReference {
  std::string file;    // absolute path
  std::string status;  // "read", "missing", "not-a-file", "read-error"
  std::vector<std::string> times;  // the nine cells' texts
  std::optional<std::string> machine;
};

struct DocumentCells {
  std::string yourTime, referenceTime, percent;
};

struct DocumentVerification {
  CheckStatus status = CheckStatus::kNotChecked;
  bool partial = false;
  int64_t checked = 0;
  double seconds = 0;
  std::string text;
  // A wrong result only: where, what was found, what was expected, why.
  std::optional<int64_t> line;
  std::optional<std::string> place, found, expected, reason;
};

struct DocumentRun {
  int64_t pass = 0;
  std::string benchmark;  // "B1" ... "B9"
  bool ran = false;
  bool stopped = false;
  int64_t ticks = 0;
  double seconds = 0;
  int64_t found = 0;
  DocumentCells cells;
  std::optional<int64_t> percent;  // where the cell holds a number
  std::vector<double> progressSeconds;
  std::optional<std::string> outputFile, outputSha256;
  int64_t fileError = 0;
  std::optional<DocumentVerification> verification;  // none: the run did not take place
  std::optional<int64_t> processor;  // --each-core: the logical processor it was pinned to
};

struct DocumentStatistics {
  int64_t count = 0;
  double min = 0, median = 0, max = 0, mean = 0;
  std::optional<double> stddev, spread;
  std::optional<std::vector<double>> ci95;  // low, high
};

struct DocumentNoise {
  std::string verdict;
  std::vector<std::string> causes;
};

struct DocumentSlowdown {
  std::string verdict;
  double worstRatio = 1;
  int64_t worstPass = 0;
  double noise = 0;  // none in version 1 documents
};

struct DocumentBenchmark {
  std::string benchmark;
  std::optional<DocumentStatistics> seconds;  // none when no run ran to its end
  DocumentNoise noise;
  DocumentSlowdown slowdown;
};

struct DocumentScore {
  int64_t pass = 0;
  std::string text;
  std::optional<double> value;  // none for a pass a stop ended
};

struct DocumentTotalScore {
  std::vector<DocumentScore> passes;
  std::optional<DocumentStatistics> statistics;
};

struct DocumentCopy {
  std::string folder;
  int64_t exitCode = 0;  // 128 + the signal for a copy killed by one
  std::optional<double> seconds;
  bool complete = false;  // ran to its end, every result verified
  std::string state;      // as the parent described it; empty in older documents
};

struct DocumentJobCount {
  int64_t copies = 0;
  std::vector<DocumentCopy> results;
  std::optional<double> throughput, efficiency;
};

struct DocumentProcessor {
  int64_t processor = 0;
  std::optional<int64_t> core, package;
  std::string kind;  // "performance", "efficiency", "SMT sibling", ...; empty when not known
};

struct DocumentNotRun {
  int64_t pass = 0;
  int64_t processor = 0;
  std::string reason;
};

// --each-core: the processors in turn, those the process could not use, the turns not taken.
struct DocumentEachCore {
  std::vector<DocumentProcessor> processors;
  std::vector<int64_t> leftOut;
  std::vector<DocumentNotRun> notRun;
};

struct DocumentIntegrity {
  std::string algorithm;
  std::string figuresSha256;
};

struct ResultDocument {
  std::string schema = kDocumentSchema;
  int64_t schemaVersion = kDocumentSchemaVersion;
  DocumentProgram program;
  std::string time;  // when the invocation started, ISO 8601 UTC
  std::vector<std::string> arguments;
  std::string mode;      // "stress" or "benchmarks"
  int64_t repeat = 1;    // passes (with --loop, the passes begun)
  std::string workload;  // "standard" or "custom"
  DocumentMachine machine;
  DocumentReference reference;
  std::vector<DocumentRun> runs;
  std::vector<DocumentBenchmark> benchmarks;
  DocumentTotalScore totalScore;
  std::optional<std::vector<DocumentJobCount>> jobs;  // --jobs only
  DocumentIntegrity integrity;
  std::optional<std::string> remainder;  // the engine's remainder; none in older documents
  std::optional<StopRecord> stop;        // how a stop ended the invocation, if one did
  std::optional<DocumentEachCore> eachCore;  // --each-core only; none in older documents
  bool finished = true;  // false: written after a benchmark of a run that did not reach its end
  // Not a member of the document: the digest of its figures as read (the writer's is recorded
  // in integrity), so that check can tell an edit.
  std::string figuresDigest;
};

// Everything about an invocation besides its runs.
struct DocumentContext {
  std::string time;  // when it started, ISO 8601 UTC
  std::vector<std::string> arguments;
  bool stress = false;
  int repeat = 1;
  bool loop = false;  // the stability loop: the document counts the passes begun
  bool standardWorkload = true;  // the published work, whose output files have known answers
  MachineFacts machine;
  std::string referencePath;
  ReferenceTexts reference;
  std::optional<std::string> referenceMachine;
  std::optional<StopRecord> stop;  // a stop ended the invocation before all it set out to do
};

// The facts of an invocation that works in directory with the reference texts read there: the
// time now, the machine, Reference.txt's absolute path and the machine its tenth line names.
// The caller fills in what it was asked to do.
DocumentContext ContextAt(const std::filesystem::path& directory, const ReferenceTexts& reference);

// The document of results (a session's runs) or jobs (the copies of --jobs), as the invocation
// of context has them. finished: written at the invocation's end, not after one of its
// benchmarks on the way; recorded so only when no stop ended it. The integrity's digest is left
// for DocumentText.
ResultDocument BuildDocument(const DocumentContext& context, const RecordedResults& results,
                             const std::optional<std::vector<CountResult>>& jobs,
                             bool finished);

// The document as a file holds it: JSON, indented, with a final newline, every text valid UTF-8
// (invalid bytes as U+FFFD) and the digest of its figures recorded in its integrity member.
std::string DocumentText(const ResultDocument& document);

// Whether the document's times are of the published work, whose output files have known answers.
bool IsStandardWorkload(const ResultDocument& document);

// What arithmetic the document's times were measured with: its remainder routine, or "unknown
// (older document)" for one written before documents recorded it (the C library's fmod of
// whatever platform made it).
std::string ArithmeticOf(const ResultDocument& document);

// Whether the times of a and b were measured with the same, known arithmetic.
bool SameArithmetic(const ResultDocument& a, const ResultDocument& b);

// How a check's status is named in the document: "verified", "wrong", "unreadable", "not checked".
const char* CheckStatusName(CheckStatus status);

// The current time as ISO 8601 UTC, e.g. 2026-12-07T09:40:00Z.
std::string UtcTimestamp();

}  // namespace tallyforge

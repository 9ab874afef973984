#include "result_document.h"

#include <cstdlib>
#include <ctime>

#include "benchmark_summary.h"
#include "document_schema.h"
#include "formats.h"
#include "remainder.h"
#include "safe_text.h"
#include "sha256.h"
#include "version.h"
#include "workload.h"

namespace tallyforge {
namespace {

using nlohmann::json;

std::string ReferenceStatusName(ReferenceStatus status) {
  switch (status) {
    case ReferenceStatus::kRead: return "read";
    case ReferenceStatus::kMissing: return "missing";
    case ReferenceStatus::kNotAFile: return "not-a-file";
    case ReferenceStatus::kReadError: return "read-error";
  }
  return "unknown";
}

// A cell as the board shows it, less the newline a reference or score line keeps.
std::string Cell(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

template <typename T>
json OrNull(const std::optional<T>& value) {
  return value ? json(*value) : json(nullptr);
}

json StatsJson(const std::optional<Summary>& stats) {
  if (!stats) return nullptr;
  return {{"count", stats->count},   {"min", stats->min},
          {"median", stats->median}, {"max", stats->max},
          {"mean", stats->mean},     {"stddev", OrNull(stats->stddev)},
          {"spread", OrNull(stats->spread)},
          {"ci95", stats->ciLow ? json::array({*stats->ciLow, *stats->ciHigh}) : json(nullptr)}};
}

// Texts from files, paths, arguments and /proc may hold any bytes; JSON holds UTF-8 only.
void MakeTextsValid(json& value) {
  if (value.is_string()) {
    value = ValidUtf8(value.get_ref<const std::string&>());
  } else if (value.is_structured()) {
    for (json& member : value) MakeTextsValid(member);
  }
}

json VerificationJson(const RecordedRun& run) {
  if (!run.outcome.ran) return nullptr;
  const Verification* check = &run.check.verification;
  json result = {{"status", CheckStatusName(check->status)},
                 {"partial", check->partial},
                 {"checked", check->checked},
                 {"seconds", check->seconds},
                 {"text", VerificationText(*check)}};
  if (check->wrong()) {
    result["line"] = check->line;
    result["place"] = check->place;
    result["found"] = check->found;
    result["expected"] = check->expected;
    result["reason"] = check->reason;
  }
  return result;
}

json RunJson(const RecordedRun& run) {
  const RunOutcome& o = run.outcome;
  json progress = json::array();
  for (int32_t ticks : run.progressTicks) progress.push_back(TicksToSeconds(ticks));
  json percent = nullptr;  // a number only where the cell holds one
  if (o.ran && !run.percent.empty() && run.percent != kNoTimeText) {
    percent = std::atoi(run.percent.c_str());
  }
  return {
      {"pass", run.pass},
      {"benchmark", BenchmarkName(o.bench)},
      {"ran", o.ran},
      {"stopped", o.stopped},
      {"ticks", o.ticks},
      {"seconds", TicksToSeconds(o.ticks)},
      {"found", o.found},
      {"cells", {{"your_time", Cell(run.yourTime)},
                 {"reference_time", Cell(run.refTime)},
                 {"percent", Cell(run.percent)}}},
      {"percent", percent},
      {"progress_seconds", progress},
      {"output_file", o.file.empty() ? json(nullptr) : json(o.file.filename().string())},
      {"output_sha256", OrNull(run.fileSha256)},
      {"file_error", o.fileError},
      {"verification", VerificationJson(run)},
  };
}

}  // namespace

const char* CheckStatusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::kVerified: return "verified";
    case CheckStatus::kWrong: return "wrong";
    case CheckStatus::kUnreadable: return "unreadable";
    case CheckStatus::kNotChecked: return "not checked";
  }
  return "not checked";
}

std::optional<double> ScoreValue(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return std::nullopt;
  return value;
}

nlohmann::json BuildDocument(const DocumentContext& context, const std::vector<RecordedRun>& runs,
                             const std::vector<PassScore>& scores,
                             const std::optional<nlohmann::json>& jobs, bool finished) {
  json document;
  document["schema"] = kDocumentSchema;
  document["schema_version"] = kDocumentSchemaVersion;
  document["program"] = {{"name", "tallyforge-cli"}, {"version", kVersion},
                         {"commit", kCommit},        {"compiler", kCompiler},
                         {"flags", kBuildFlags}};
  document["time"] = context.time;
  document["arguments"] = context.arguments;
  document["mode"] = context.stress ? "stress" : "benchmarks";
  document["repeat"] = context.repeat;
  document["workload"] = context.standardWorkload ? "standard" : "custom";
  const MachineFacts& m = context.machine;
  document["machine"] = {{"cpu_model", m.cpuModel},       {"logical_cores", m.logicalCores},
                         {"physical_cores", m.physicalCores}, {"memory_bytes", m.memoryBytes},
                         {"os", m.osName},                {"kernel", m.kernel},
                         {"architecture", m.architecture}, {"description", DescribeMachine(m)}};
  json times = json::array();
  for (const std::string& line : context.reference.lines) times.push_back(Cell(line));
  document["reference"] = {{"file", context.referencePath},
                           {"status", ReferenceStatusName(context.reference.status)},
                           {"times", times},
                           {"machine", OrNull(context.referenceMachine)}};

  json runList = json::array();
  for (const RecordedRun& run : runs) runList.push_back(RunJson(run));
  document["runs"] = runList;

  json benchmarks = json::array();
  for (const BenchmarkSummary& s : SummariseBenchmarks(runs, m.logicalCores)) {
    benchmarks.push_back({{"benchmark", BenchmarkName(s.bench)},
                          {"seconds", StatsJson(s.stats)},
                          {"noise", {{"verdict", s.noise.verdict}, {"causes", s.noise.causes}}},
                          {"slowdown", {{"verdict", s.slowdown.verdict},
                                        {"worst_ratio", s.slowdown.worstRatio},
                                        {"worst_pass", s.slowdown.worstPass},
                                        {"noise", s.slowdown.noise}}}});
  }
  document["benchmarks"] = benchmarks;

  json scoreList = json::array();
  std::vector<double> values;
  for (const PassScore& score : scores) {
    const std::optional<double> value =
        score.scored ? ScoreValue(score.text) : std::optional<double>();
    if (value) values.push_back(*value);
    scoreList.push_back({{"pass", score.pass}, {"text", Cell(score.text)}, {"value", OrNull(value)}});
  }
  document["total_score"] = {{"passes", scoreList}, {"statistics", StatsJson(Summarise(values))}};
  document[document_key::kJobs] = jobs ? *jobs : json(nullptr);
  document[document_key::kRemainder] = kRemainderName;
  document[document_key::kStop] = nullptr;
  if (context.stop) {
    document[document_key::kStop] = {{document_key::kStopAt, context.stop->at},
                                     {document_key::kNotRun, context.stop->notRun}};
  }
  document["finished"] = finished && !context.stop;
  MakeTextsValid(document);
  document["integrity"] = {{"algorithm", "sha256"}, {"figures_sha256", FiguresDigest(document)}};
  return document;
}

std::string DocumentText(const nlohmann::json& document) {
  return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string FiguresDigest(const nlohmann::json& document) {
  // The compact text of the document less "integrity", written member by member so that a large
  // document is not copied: an object's members come out in key order either way.
  std::string text = "{";
  for (const auto& [key, value] : document.items()) {
    if (key == "integrity") continue;
    if (text.size() > 1) text += ',';
    text += json(key).dump(-1, ' ', false, json::error_handler_t::replace) + ':' +
            value.dump(-1, ' ', false, json::error_handler_t::replace);
  }
  return Sha256Hex(text + "}");
}

std::string UtcTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

}  // namespace tallyforge

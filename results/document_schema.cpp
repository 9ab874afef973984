#include "document_schema.h"

#include <cstdint>
#include <limits>
#include <span>

namespace tallyforge {
namespace {

using nlohmann::json;
namespace key = document_key;

enum class Kind { kString, kInteger, kNumber, kBool, kObject, kArray };

struct Field {
  const char* name;
  Kind kind;
  bool nullable = false;
  std::span<const Field> members = {};  // kObject, and kArray of objects: their fields
  Kind element = Kind::kObject;         // kArray: the kind of its elements
  bool optional = false;                // added later: absent from older documents
};

// A member added without a new schema version: checked where present.
constexpr Field Optional(Field field) {
  field.optional = true;
  return field;
}

constexpr Kind S = Kind::kString, I = Kind::kInteger, N = Kind::kNumber, B = Kind::kBool,
               O = Kind::kObject, A = Kind::kArray;

constexpr Field kProgram[] = {{"name", S}, {"version", S}, {"commit", S}, {"compiler", S},
                              {"flags", S}};
constexpr Field kMachine[] = {{"cpu_model", S}, {"logical_cores", I}, {"physical_cores", I},
                              {"memory_bytes", I}, {"os", S},          {"kernel", S},
                              {"architecture", S}, {"description", S}};
constexpr Field kReference[] = {{"file", S}, {"status", S}, {"times", A, false, {}, S},
                                {"machine", S, true}};
constexpr Field kCells[] = {{"your_time", S}, {"reference_time", S}, {"percent", S}};
constexpr Field kVerification[] = {{"status", S}, {"partial", B}, {"checked", I},
                                   {"seconds", N}, {"text", S}};
constexpr Field kRun[] = {
    {"pass", I},        {"benchmark", S},    {"ran", B},
    {"stopped", B},     {"ticks", I},        {"seconds", N},
    {"found", I},       {"cells", O, false, kCells},
    {"percent", I, true},
    {"progress_seconds", A, false, {}, N},
    {"output_file", S, true},
    {"output_sha256", S, true},
    {"file_error", I},  {"verification", O, true, kVerification}};
constexpr Field kStatistics[] = {{"count", I},         {"min", N},          {"median", N},
                                 {"max", N},           {"mean", N},         {"stddev", N, true},
                                 {"spread", N, true},  {"ci95", A, true, {}, N}};
constexpr Field kNoise[] = {{"verdict", S}, {"causes", A, false, {}, S}};
constexpr Field kSlowdown[] = {{"verdict", S}, {"worst_ratio", N}, {"worst_pass", I}};
constexpr Field kBenchmark[] = {{"benchmark", S},
                                {"seconds", O, true, kStatistics},
                                {"noise", O, false, kNoise},
                                {"slowdown", O, false, kSlowdown}};
constexpr Field kScorePass[] = {{"pass", I}, {"text", S}, {"value", N, true}};
constexpr Field kTotalScore[] = {{"passes", A, false, kScorePass},
                                 {"statistics", O, true, kStatistics}};
constexpr Field kCopy[] = {{key::kFolder, S}, {key::kExitCode, I}, {"seconds", N, true},
                           {key::kComplete, B}, Optional({key::kState, S})};
constexpr Field kJobCount[] = {{key::kCopies, I}, {key::kCopyResults, A, false, kCopy},
                               {"throughput", N, true}, {"efficiency", N, true}};
constexpr Field kStop[] = {{key::kStopAt, S}, {key::kNotRun, A, false, {}, S}};
constexpr Field kIntegrity[] = {{"algorithm", S}, {"figures_sha256", S}};
constexpr Field kDocument[] = {
    {"schema", S},          {"schema_version", I},
    {"program", O, false, kProgram},
    {"time", S},            {"arguments", A, false, {}, S},
    {"mode", S},            {"repeat", I},
    {"workload", S},        {"machine", O, false, kMachine},
    {"reference", O, false, kReference},
    {"runs", A, false, kRun},
    {"benchmarks", A, false, kBenchmark},
    {"total_score", O, false, kTotalScore},
    {key::kJobs, A, true, kJobCount},
    {"integrity", O, false, kIntegrity},
    Optional({key::kRemainder, S}),
    Optional({key::kStop, O, true, kStop})};
// What version 2 added.
constexpr Field kDocument2[] = {{"finished", B}};

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kString: return "a string";
    case Kind::kInteger: return "an integer";
    case Kind::kNumber: return "a number";
    case Kind::kBool: return "true or false";
    case Kind::kObject: return "an object";
    case Kind::kArray: return "an array";
  }
  return "a value";
}

bool Matches(const json& value, Kind kind) {
  switch (kind) {
    case Kind::kString: return value.is_string();
    case Kind::kInteger:  // one that fits a signed 64-bit integer
      return value.is_number_integer() &&
             (!value.is_number_unsigned() ||
              value.get<uint64_t>() <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()));
    case Kind::kNumber: return value.is_number();
    case Kind::kBool: return value.is_boolean();
    case Kind::kObject: return value.is_object();
    case Kind::kArray: return value.is_array();
  }
  return false;
}

bool CheckMembers(const json& object, std::span<const Field> fields, const std::string& where,
                  std::string& error);

// The depth of this recursion is the schema's, whatever the document holds.
bool CheckValue(const json& value, const Field& field, const std::string& where,
                std::string& error) {
  if (field.nullable && value.is_null()) return true;
  if (!Matches(value, field.kind)) {
    error = where + ": expected " + KindName(field.kind) + (field.nullable ? " or null" : "") +
            ", found " + value.type_name();
    return false;
  }
  if (field.kind == Kind::kObject) return CheckMembers(value, field.members, where, error);
  if (field.kind != Kind::kArray) return true;
  const Field element{"", field.element, false, field.members};
  size_t index = 0;
  for (const json& item : value) {
    if (!CheckValue(item, element, where + "[" + std::to_string(index++) + "]", error)) {
      return false;
    }
  }
  return true;
}

bool CheckMembers(const json& object, std::span<const Field> fields, const std::string& where,
                  std::string& error) {
  for (const Field& field : fields) {
    const std::string at = where.empty() ? field.name : where + "." + field.name;
    const auto member = object.find(field.name);
    if (member == object.end()) {
      if (field.optional) continue;
      error = "missing " + at;
      return false;
    }
    if (!CheckValue(*member, field, at, error)) return false;
  }
  return true;
}

}  // namespace

bool MatchesDocumentSchema(const json& document, int schemaVersion, std::string& error) {
  if (!CheckMembers(document, kDocument, "", error)) return false;
  return schemaVersion < 2 || CheckMembers(document, kDocument2, "", error);
}

}  // namespace tallyforge

#include "document_schema.h"

#include <nlohmann/json.hpp>
#include <tuple>
#include <type_traits>

#include "safe_text.h"
#include "sha256.h"

namespace tallyforge {
namespace {

using nlohmann::json;

// When a field may be left out of a document.
enum class Presence {
  kAlways,
  kLater,     // added without a new schema version: absent from older documents
  kVersion2,  // in every document of schema version 2 on
};

template <typename Owner, typename Member>
struct Field {
  const char* key;
  Member Owner::*member;
  bool nullable = false;  // null stands for none: the member is a std::optional
  Presence presence = Presence::kAlways;
};

template <typename O, typename M>
constexpr Field<O, M> F(const char* key, M O::*member) {
  return {key, member};
}
template <typename O, typename M>
constexpr Field<O, M> Null(const char* key, M O::*member, Presence presence = Presence::kAlways) {
  return {key, member, true, presence};
}
template <typename O, typename M>
constexpr Field<O, M> Later(const char* key, M O::*member) {
  return {key, member, false, Presence::kLater};
}

// Fields<T>::list: the fields of the object T, in the order a document is checked.
template <typename T>
struct Fields;

constexpr char kIntegrity[] = "integrity";
using Program = DocumentProgram;
using Machine = DocumentMachine;
using Reference = DocumentReference;
using Cells = DocumentCells;
using Checked = DocumentVerification;
using Run = DocumentRun;
using Statistics = DocumentStatistics;
using Noise = DocumentNoise;
using Slowdown = DocumentSlowdown;
using Benchmark = DocumentBenchmark;
using Score = DocumentScore;
using TotalScore = DocumentTotalScore;
using Copy = DocumentCopy;
using JobCount = DocumentJobCount;
using Integrity = DocumentIntegrity;
using Document = ResultDocument;

template <> struct Fields<Program> {
  static constexpr auto list = std::tuple{
      F("name", &Program::name), F("version", &Program::version), F("commit", &Program::commit),
      F("compiler", &Program::compiler), F("flags", &Program::flags)};
};
template <> struct Fields<Machine> {
  static constexpr auto list = std::tuple{
      F("cpu_model", &Machine::cpuModel), F("logical_cores", &Machine::logicalCores),
      F("physical_cores", &Machine::physicalCores), F("memory_bytes", &Machine::memoryBytes),
      F("os", &Machine::os), F("kernel", &Machine::kernel),
      F("architecture", &Machine::architecture), F("description", &Machine::description)};
};
template <> struct Fields<Reference> {
  static constexpr auto list = std::tuple{
      F("file", &Reference::file), F("status", &Reference::status),
      F("times", &Reference::times), Null("machine", &Reference::machine)};
};
template <> struct Fields<Cells> {
  static constexpr auto list = std::tuple{
      F("your_time", &Cells::yourTime), F("reference_time", &Cells::referenceTime),
      F("percent", &Cells::percent)};
};
template <> struct Fields<Checked> {
  static constexpr auto list = std::tuple{
      F("status", &Checked::status), F("partial", &Checked::partial),
      F("checked", &Checked::checked), F("seconds", &Checked::seconds),
      F("text", &Checked::text), Later("line", &Checked::line),
      Later("place", &Checked::place), Later("found", &Checked::found),
      Later("expected", &Checked::expected), Later("reason", &Checked::reason)};
};
template <> struct Fields<Run> {
  static constexpr auto list = std::tuple{
      F("pass", &Run::pass), F("benchmark", &Run::benchmark), F("ran", &Run::ran),
      F("stopped", &Run::stopped), F("ticks", &Run::ticks), F("seconds", &Run::seconds),
      F("found", &Run::found), F("cells", &Run::cells), Null("percent", &Run::percent),
      F("progress_seconds", &Run::progressSeconds), Null("output_file", &Run::outputFile),
      Null("output_sha256", &Run::outputSha256), F("file_error", &Run::fileError),
      Null("verification", &Run::verification),
      Later("processor", &Run::processor)};
};
template <> struct Fields<Statistics> {
  static constexpr auto list = std::tuple{
      F("count", &Statistics::count), F("min", &Statistics::min),
      F("median", &Statistics::median), F("max", &Statistics::max), F("mean", &Statistics::mean),
      Null("stddev", &Statistics::stddev), Null("spread", &Statistics::spread),
      Null("ci95", &Statistics::ci95)};
};
template <> struct Fields<Noise> {
  static constexpr auto list = std::tuple{F("verdict", &Noise::verdict), F("causes", &Noise::causes)};
};
template <> struct Fields<Slowdown> {
  static constexpr auto list = std::tuple{
      F("verdict", &Slowdown::verdict), F("worst_ratio", &Slowdown::worstRatio),
      F("worst_pass", &Slowdown::worstPass), Later("noise", &Slowdown::noise)};
};
template <> struct Fields<Benchmark> {
  static constexpr auto list = std::tuple{
      F("benchmark", &Benchmark::benchmark), Null("seconds", &Benchmark::seconds),
      F("noise", &Benchmark::noise), F("slowdown", &Benchmark::slowdown)};
};
template <> struct Fields<Score> {
  static constexpr auto list = std::tuple{
      F("pass", &Score::pass), F("text", &Score::text), Null("value", &Score::value)};
};
template <> struct Fields<TotalScore> {
  static constexpr auto list = std::tuple{
      F("passes", &TotalScore::passes), Null("statistics", &TotalScore::statistics)};
};
template <> struct Fields<Copy> {
  static constexpr auto list = std::tuple{
      F("folder", &Copy::folder), F("exit_code", &Copy::exitCode), Null("seconds", &Copy::seconds),
      F("complete", &Copy::complete), Later("state", &Copy::state)};
};
template <> struct Fields<JobCount> {
  static constexpr auto list = std::tuple{
      F("copies", &JobCount::copies), F("results", &JobCount::results),
      Null("throughput", &JobCount::throughput), Null("efficiency", &JobCount::efficiency)};
};
template <> struct Fields<StopRecord> {
  static constexpr auto list = std::tuple{F("at", &StopRecord::at), F("not_run", &StopRecord::notRun)};
};
template <> struct Fields<DocumentProcessor> {
  static constexpr auto list = std::tuple{
      F("processor", &DocumentProcessor::processor), Null("core", &DocumentProcessor::core),
      Null("package", &DocumentProcessor::package), F("kind", &DocumentProcessor::kind)};
};
template <> struct Fields<DocumentNotRun> {
  static constexpr auto list = std::tuple{
      F("pass", &DocumentNotRun::pass), F("processor", &DocumentNotRun::processor),
      F("reason", &DocumentNotRun::reason)};
};
template <> struct Fields<DocumentEachCore> {
  static constexpr auto list = std::tuple{
      F("processors", &DocumentEachCore::processors), F("left_out", &DocumentEachCore::leftOut),
      F("not_run", &DocumentEachCore::notRun)};
};
template <> struct Fields<Integrity> {
  static constexpr auto list = std::tuple{
      F("algorithm", &Integrity::algorithm), F("figures_sha256", &Integrity::figuresSha256)};
};
template <> struct Fields<Document> {
  static constexpr auto list = std::tuple{
      F("schema", &Document::schema), F("schema_version", &Document::schemaVersion),
      F("program", &Document::program), F("time", &Document::time),
      F("arguments", &Document::arguments), F("mode", &Document::mode),
      F("repeat", &Document::repeat), F("workload", &Document::workload),
      F("machine", &Document::machine), F("reference", &Document::reference),
      F("runs", &Document::runs), F("benchmarks", &Document::benchmarks),
      F("total_score", &Document::totalScore), Null("jobs", &Document::jobs),
      F(kIntegrity, &Document::integrity), Later("remainder", &Document::remainder),
      Null("stop", &Document::stop, Presence::kLater),
      Later("each_core", &Document::eachCore),
      Field<Document, bool>{"finished", &Document::finished, false, Presence::kVersion2}};
};

// The types of the table's members, and the JSON kind each one is.
template <typename T> struct IsOptional : std::false_type {};
template <typename T> struct IsOptional<std::optional<T>> : std::true_type {};
template <typename T> struct IsVector : std::false_type {};
template <typename T> struct IsVector<std::vector<T>> : std::true_type {};

enum class Kind { kString, kInteger, kNumber, kBool, kObject, kArray };

template <typename T>
constexpr Kind KindOf() {
  if constexpr (std::is_same_v<T, bool>) return Kind::kBool;
  if constexpr (std::is_same_v<T, int64_t>) return Kind::kInteger;
  if constexpr (std::is_same_v<T, double>) return Kind::kNumber;
  if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, CheckStatus>) return Kind::kString;
  if constexpr (IsVector<T>::value) return Kind::kArray;
  return Kind::kObject;
}

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

bool Matches(const JsonValue& value, Kind kind) {
  switch (kind) {
    case Kind::kString: return value.text() != nullptr;
    case Kind::kInteger: return value.isInteger();
    case Kind::kNumber: return value.isNumber();
    case Kind::kBool: return std::holds_alternative<bool>(value.value);
    case Kind::kObject: return value.object() != nullptr;
    case Kind::kArray: return value.array() != nullptr;
  }
  return false;
}

std::optional<CheckStatus> StatusNamed(const std::string& name) {
  for (CheckStatus status : {CheckStatus::kVerified, CheckStatus::kWrong,
                             CheckStatus::kUnreadable, CheckStatus::kNotChecked}) {
    if (name == CheckStatusName(status)) return status;
  }
  return std::nullopt;
}

// Reads a parsed text into the typed document, field by field in the table's order. The depth
// of its recursion is the table's, whatever the text holds.
class Reader {
 public:
  explicit Reader(int64_t version) : m_version(version) {}

  // The first fault of presence or type (reading stops there), else the first value no table
  // knows (an unknown check status); empty when there is neither.
  std::string fault() const { return m_error.empty() ? m_unknown : m_error; }

  template <typename T>
  bool Members(const JsonValue& object, T& out, const std::string& where) {
    return std::apply([&](const auto&... field) { return (Member(object, out, field, where) && ...); },
                      Fields<T>::list);
  }

 private:
  template <typename O, typename M>
  bool Member(const JsonValue& object, O& out, const Field<O, M>& field, const std::string& where) {
    const std::string at = where.empty() ? field.key : where + "." + field.key;
    const JsonValue* value = object.find(field.key);
    // A member of a later version means nothing in an earlier one.
    const bool versionLacksIt = field.presence == Presence::kVersion2 && m_version < 2;
    if (versionLacksIt || (value == nullptr && field.presence == Presence::kLater)) return true;
    if (value == nullptr) {
      m_error = "missing " + at;
      return false;
    }
    M& member = out.*(field.member);
    if constexpr (IsOptional<M>::value) {
      if (field.nullable && value->isNull()) {
        member.reset();
        return true;
      }
      return Value(*value, member.emplace(), at, field.nullable);
    } else {
      return Value(*value, member, at, field.nullable);
    }
  }

  template <typename T>
  bool Value(const JsonValue& value, T& out, const std::string& where, bool nullable) {
    constexpr Kind kind = KindOf<T>();
    if (!Matches(value, kind)) {
      m_error = where + ": expected " + KindName(kind) + (nullable ? " or null" : "") +
                ", found " + value.typeName();
      return false;
    }
    if constexpr (std::is_same_v<T, bool>) {
      out = std::get<bool>(value.value);
    } else if constexpr (std::is_same_v<T, int64_t>) {
      out = value.integer();
    } else if constexpr (std::is_same_v<T, double>) {
      out = value.number();
    } else if constexpr (std::is_same_v<T, std::string>) {
      out = *value.text();
    } else if constexpr (std::is_same_v<T, CheckStatus>) {
      const std::optional<CheckStatus> status = StatusNamed(*value.text());
      if (status) out = *status;
      if (!status && m_unknown.empty()) {
        m_unknown = where + ": unknown status \"" + TerminalText(*value.text()) + "\"";
      }
    } else if constexpr (IsVector<T>::value) {
      const JsonValue::Array& items = *value.array();
      out.clear();
      out.reserve(items.size());
      for (size_t i = 0; i < items.size(); ++i) {
        if (!Value(items[i], out.emplace_back(), where + "[" + std::to_string(i) + "]", false)) {
          return false;
        }
      }
    } else {
      return Members(value, out, where);
    }
    return true;
  }

  int64_t m_version;
  std::string m_error;
  std::string m_unknown;
};

template <typename T>
json Write(const T& value);

template <typename O, typename M>
void WriteMember(json& object, const O& owner, const Field<O, M>& field) {
  const M& member = owner.*(field.member);
  if constexpr (IsOptional<M>::value) {
    if (member) {
      object[field.key] = Write(*member);
    } else if (field.nullable) {
      object[field.key] = nullptr;
    }
  } else {
    object[field.key] = Write(member);
  }
}

template <typename T>
json Write(const T& value) {
  if constexpr (std::is_same_v<T, CheckStatus>) {
    return CheckStatusName(value);
  } else if constexpr (IsVector<T>::value) {
    json items = json::array();
    for (const auto& item : value) items.push_back(Write(item));
    return items;
  } else if constexpr (KindOf<T>() == Kind::kObject) {
    json object = json::object();
    std::apply([&](const auto&... field) { (WriteMember(object, value, field), ...); },
               Fields<T>::list);
    return object;
  } else {
    return json(value);
  }
}

// Texts from files, paths, arguments and /proc may hold any bytes; JSON holds UTF-8 only.
void MakeTextsValid(json& value) {
  if (value.is_string()) {
    value = ValidUtf8(value.get_ref<const std::string&>());
  } else if (value.is_structured()) {
    for (json& member : value) MakeTextsValid(member);
  }
}

}  // namespace

// SHA-256 of the compact text of document without its integrity member: an object's members
// come out in key order, member by member, so that a large document is not copied.
std::string FiguresDigest(const json& document) {
  std::string text = "{";
  for (const auto& [key, value] : document.items()) {
    if (key == kIntegrity) continue;
    if (text.size() > 1) text += ',';
    text += json(key).dump(-1, ' ', false, json::error_handler_t::replace) + ':' +
            value.dump(-1, ' ', false, json::error_handler_t::replace);
  }
  return Sha256Hex(text + "}");
}

std::string DocumentText(const ResultDocument& document) {
  json written = Write(document);
  MakeTextsValid(written);
  Integrity integrity = document.integrity;
  integrity.figuresSha256 = FiguresDigest(written);
  written[kIntegrity] = Write(integrity);
  return written.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

bool ReadDocumentTree(const JsonValue& tree, ResultDocument& document, std::string& error) {
  const JsonValue* schema = tree.find("schema");
  if (schema == nullptr || schema->text() == nullptr || *schema->text() != kDocumentSchema) {
    error = "is not a tallyforge result document (no \"schema\": \"" +
            std::string(kDocumentSchema) + "\")";
    return false;
  }
  const JsonValue* version = tree.find("schema_version");
  if (version == nullptr || !version->isInteger() || version->integer() < 1 ||
      version->integer() > kDocumentSchemaVersion) {
    error = "has schema_version " + TerminalText(version ? CompactText(*version) : "null") +
            "; this program reads 1 to " + std::to_string(kDocumentSchemaVersion);
    return false;
  }
  Reader reader(version->integer());
  reader.Members(tree, document, "");
  if (const std::string fault = reader.fault(); !fault.empty()) {
    error = "is not a valid result document: " + fault;
    return false;
  }
  document.figuresDigest = CompactTextDigest(tree, kIntegrity);
  return true;
}

}  // namespace tallyforge

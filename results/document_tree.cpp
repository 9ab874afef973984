#include "document_tree.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <nlohmann/json.hpp>

#include "sha256_digest.h"

namespace tallyforge {
namespace {

using nlohmann::json;

// Builds the tree as the parser reads the text. An exception from an allocation leaves the
// parser's frames and this builder's, whose values all free without allocating.
class TreeBuilder final : public nlohmann::json_sax<json> {
 public:
  JsonValue root;

  bool null() override { return Place(nullptr); }
  bool boolean(bool value) override { return Place(value); }
  bool number_integer(number_integer_t value) override { return Place(int64_t{value}); }
  bool number_unsigned(number_unsigned_t value) override { return Place(uint64_t{value}); }
  bool number_float(number_float_t value, const string_t&) override { return Place(double{value}); }
  bool string(string_t& value) override { return Place(std::move(value)); }
  bool binary(binary_t&) override { return false; }
  bool start_object(std::size_t) override { return Open(JsonValue::Object{}); }
  bool key(string_t& key) override {
    m_key = std::move(key);
    return true;
  }
  bool end_object() override {
    KeepLastOfEachKey(std::get<JsonValue::Object>(m_open.back()->value));
    m_open.pop_back();
    return true;
  }
  bool start_array(std::size_t) override { return Open(JsonValue::Array{}); }
  bool end_array() override {
    m_open.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  // The new value's place: the root, the next element of the open array, or the member of the
  // open object under the last key.
  JsonValue& Next() {
    if (m_open.empty()) return root;
    JsonValue& parent = *m_open.back();
    if (auto* array = std::get_if<JsonValue::Array>(&parent.value)) return array->emplace_back();
    return std::get<JsonValue::Object>(parent.value).emplace_back(std::move(m_key), JsonValue{}).second;
  }
  template <typename T>
  bool Place(T&& value) {
    Next().value.template emplace<std::decay_t<T>>(std::forward<T>(value));
    return true;
  }
  // A container stays where it is while it is open: its parent takes no other value until then.
  template <typename T>
  bool Open(T&& container) {
    JsonValue& next = Next();
    next.value.template emplace<T>(std::forward<T>(container));
    m_open.push_back(&next);
    return true;
  }
  static void KeepLastOfEachKey(JsonValue::Object& members) {
    std::stable_sort(members.begin(), members.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    size_t kept = 0;
    for (size_t i = 0; i < members.size(); ++i) {
      if (i + 1 < members.size() && members[i + 1].first == members[i].first) continue;
      if (kept != i) members[kept] = std::move(members[i]);
      ++kept;
    }
    members.erase(members.begin() + static_cast<std::ptrdiff_t>(kept), members.end());
  }

  std::vector<JsonValue*> m_open;
  std::string m_key;
};

// The compact text of values, kept whole or handed to a digest a block at a time.
class CompactWriter {
 public:
  explicit CompactWriter(bool digest) : m_digest(digest ? std::make_unique<Sha256Digest>() : nullptr) {}

  void Value(const JsonValue& value) {
    if (const auto* array = value.array()) {
      Put("[");
      for (size_t i = 0; i < array->size(); ++i) {
        if (i > 0) Put(",");
        Value((*array)[i]);
      }
      Put("]");
    } else if (const auto* object = value.object()) {
      Members(*object, "");
    } else if (const auto* text = value.text()) {
      Text(*text);
    } else if (value.isNull()) {
      Put("null");
    } else if (const bool* flag = std::get_if<bool>(&value.value)) {
      Put(*flag ? "true" : "false");
    } else if (const double* number = std::get_if<double>(&value.value)) {
      Put(json(*number).dump());  // the library's shortest form, "1.0" for a whole number
    } else if (const int64_t* integer = std::get_if<int64_t>(&value.value)) {
      Put(std::to_string(*integer));
    } else {
      Put(std::to_string(std::get<uint64_t>(value.value)));
    }
  }
  void Members(const JsonValue::Object& members, std::string_view skip) {
    Put("{");
    bool first = true;
    for (const auto& [key, member] : members) {
      if (key == skip) continue;
      if (!first) Put(",");
      first = false;
      Text(key);
      Put(":");
      Value(member);
    }
    Put("}");
  }
  std::string text() const { return m_buffer; }
  std::string Finish() {
    Flush();
    const auto bytes = m_digest->Finish();
    if (!bytes) return "";
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : *bytes) {
      hex += kHex[byte >> 4];
      hex += kHex[byte & 15];
    }
    return hex;
  }

 private:
  void Text(const std::string& text) {
    Put(json(text).dump(-1, ' ', false, json::error_handler_t::replace));
  }
  void Put(std::string_view bytes) {
    m_buffer += bytes;
    if (m_digest && m_buffer.size() >= (1 << 16)) Flush();
  }
  void Flush() {
    m_digest->Update(m_buffer);
    m_buffer.clear();
  }

  std::unique_ptr<Sha256Digest> m_digest;  // none: the text is kept whole
  std::string m_buffer;
};

}  // namespace

bool JsonValue::isNumber() const {
  return std::holds_alternative<int64_t>(value) || std::holds_alternative<uint64_t>(value) ||
         std::holds_alternative<double>(value);
}

bool JsonValue::isInteger() const {
  if (std::holds_alternative<int64_t>(value)) return true;
  const uint64_t* whole = std::get_if<uint64_t>(&value);
  return whole != nullptr && *whole <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
}

int64_t JsonValue::integer() const {
  if (const int64_t* signedValue = std::get_if<int64_t>(&value)) return *signedValue;
  return static_cast<int64_t>(std::get<uint64_t>(value));
}

double JsonValue::number() const {
  if (const double* real = std::get_if<double>(&value)) return *real;
  if (const int64_t* signedValue = std::get_if<int64_t>(&value)) return static_cast<double>(*signedValue);
  return static_cast<double>(std::get<uint64_t>(value));
}

const JsonValue* JsonValue::find(std::string_view key) const {
  const Object* members = object();
  if (members == nullptr) return nullptr;
  const auto at = std::lower_bound(members->begin(), members->end(), key,
                                   [](const auto& member, std::string_view k) { return member.first < k; });
  return at != members->end() && at->first == key ? &at->second : nullptr;
}

const char* JsonValue::typeName() const {
  switch (value.index()) {
    case 0: return "null";
    case 1: return "boolean";
    case 2: case 3: case 4: return "number";
    case 5: return "string";
    case 6: return "array";
    default: return "object";
  }
}

std::optional<JsonValue> ParseJsonTree(std::string_view text) {
  TreeBuilder builder;
  if (!json::sax_parse(text, &builder)) return std::nullopt;
  return std::move(builder.root);
}

std::string CompactText(const JsonValue& value) {
  CompactWriter text(false);
  text.Value(value);
  return text.text();
}

std::string CompactTextDigest(const JsonValue& object, std::string_view skip) {
  CompactWriter text(true);
  if (const auto* members = object.object()) {
    text.Members(*members, skip);
  } else {
    text.Value(object);
  }
  return text.Finish();
}

}  // namespace tallyforge

#pragma once
// A JSON text as a tree of values, for the document reader: the schema is checked and the
// typed document read from it, and the digest of the figures taken over it. Unlike the JSON
// library's own tree, it is never copied whole and its destruction never allocates, so that a
// document too large for the memory left is refused with std::bad_alloc, not a crash.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace tallyforge {

struct JsonValue {
  using Array = std::vector<JsonValue>;
  // Sorted by key, one member per key: the last one given, as the JSON library keeps it.
  using Object = std::vector<std::pair<std::string, JsonValue>>;

  std::variant<std::nullptr_t, bool, int64_t, uint64_t, double, std::string, Array, Object>
      value = nullptr;

  bool isNull() const { return std::holds_alternative<std::nullptr_t>(value); }
  bool isNumber() const;
  bool isInteger() const;  // a whole number that fits a signed 64-bit integer
  const std::string* text() const { return std::get_if<std::string>(&value); }
  const Array* array() const { return std::get_if<Array>(&value); }
  const Object* object() const { return std::get_if<Object>(&value); }
  int64_t integer() const;  // isInteger() only
  double number() const;    // isNumber() only
  // The member key of an object; nullptr when there is none (or this is no object).
  const JsonValue* find(std::string_view key) const;
  // "null", "boolean", "number", "string", "array" or "object".
  const char* typeName() const;
};

// The value of text, which the caller has found to be JSON within its limits of size and
// nesting; none when it is not JSON after all. Throws std::bad_alloc when memory runs out,
// leaving nothing allocated behind.
std::optional<JsonValue> ParseJsonTree(std::string_view text);

// The compact JSON text of value, keys in order: the same text the JSON library writes for the
// same values.
std::string CompactText(const JsonValue& value);

// SHA-256 (lowercase hex) of the compact text of object without its member skip, taken a block
// at a time rather than over a copy of the whole text.
std::string CompactTextDigest(const JsonValue& object, std::string_view skip);

}  // namespace tallyforge

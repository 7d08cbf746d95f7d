#pragma once
// A strict JSON reader for checking the CLI's --json lines: RFC 8259
// grammar, no raw control characters in strings, \u escapes (surrogate pairs
// joined) decoded to UTF-8, and strings that must be well-formed UTF-8.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tongshu::testing {

struct Json;
using JsonArrayValue = std::vector<Json>;
// Members in their order; a repeated key is a parse error.
using JsonObjectValue = std::vector<std::pair<std::string, Json>>;

struct Json {
  std::variant<std::nullptr_t, bool, double, std::string, JsonArrayValue, JsonObjectValue> value;

  bool isObject() const { return std::holds_alternative<JsonObjectValue>(value); }
  const std::string& str() const { return std::get<std::string>(value); }
  double num() const { return std::get<double>(value); }
  bool boolean() const { return std::get<bool>(value); }
  const JsonArrayValue& array() const { return std::get<JsonArrayValue>(value); }
  const JsonObjectValue& object() const { return std::get<JsonObjectValue>(value); }
  // Throws std::out_of_range for a missing key.
  const Json& operator[](std::string_view key) const;
  std::vector<std::string> keys() const;
};

// Throws std::invalid_argument with the position for text that is not exactly
// one JSON value (blanks around it allowed).
Json ParseJson(std::string_view text);

}  // namespace tongshu::testing

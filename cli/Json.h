#pragma once
// JSON output: one object per line. Strings are UTF-8; control characters,
// quotes and backslashes are escaped, and any byte sequence that is not
// well-formed UTF-8 becomes U+FFFD so the line always parses.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::cli {

// The quoted, escaped JSON form of a text.
std::string JsonString(std::string_view utf8);

// Members are written in the order they are added. Distinct names rather than
// overloads: a string literal would otherwise pick the bool overload.
class JsonObject {
 public:
  JsonObject& addString(std::string_view key, std::string_view value);
  JsonObject& addInt(std::string_view key, std::int64_t value);
  JsonObject& addBool(std::string_view key, bool value);
  // value is already JSON (an array or a nested object).
  JsonObject& addRaw(std::string_view key, std::string_view json);
  std::string str() const { return body_ + "}"; }

 private:
  void key(std::string_view k);
  std::string body_ = "{";
};

// "[" + items joined by "," + "]"; each item is already JSON.
std::string JsonArray(const std::vector<std::string>& items);
std::string JsonStringArray(const std::vector<std::string>& texts);

}  // namespace tongshu::cli

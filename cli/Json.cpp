#include "cli/Json.h"

#include "text/Utf8.h"

namespace tongshu::cli {

std::string JsonString(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(utf8.size() + 2);
  out.push_back('"');
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x80) {
      const std::size_t n = Utf8SequenceLength(utf8.substr(i));
      if (n == 0) {
        out += "\\ufffd";
        ++i;
      } else {
        out.append(utf8.substr(i, n));
        i += n;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out.push_back(kHex[c >> 4]);
          out.push_back(kHex[c & 0xF]);
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
    ++i;
  }
  out.push_back('"');
  return out;
}

void JsonObject::key(std::string_view k) {
  if (body_.size() > 1) body_.push_back(',');
  body_ += JsonString(k);
  body_.push_back(':');
}

JsonObject& JsonObject::addString(std::string_view k, std::string_view value) {
  key(k);
  body_ += JsonString(value);
  return *this;
}

JsonObject& JsonObject::addInt(std::string_view k, std::int64_t value) {
  key(k);
  body_ += std::to_string(value);
  return *this;
}

JsonObject& JsonObject::addBool(std::string_view k, bool value) {
  key(k);
  body_ += value ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::addRaw(std::string_view k, std::string_view json) {
  key(k);
  body_ += json;
  return *this;
}

std::string JsonArray(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i) out.push_back(',');
    out += items[i];
  }
  out.push_back(']');
  return out;
}

std::string JsonStringArray(const std::vector<std::string>& texts) {
  std::vector<std::string> items;
  items.reserve(texts.size());
  for (const std::string& t : texts) items.push_back(JsonString(t));
  return JsonArray(items);
}

}  // namespace tongshu::cli

#include "tests/cli/JsonParse.h"

#include <cstdlib>

#include "text/Utf8.h"

namespace tongshu::testing {

const Json& Json::operator[](std::string_view key) const {
  for (const auto& [k, v] : object())
    if (k == key) return v;
  throw std::out_of_range("no member " + std::string(key));
}

std::vector<std::string> Json::keys() const {
  std::vector<std::string> out;
  for (const auto& member : object()) out.push_back(member.first);
  return out;
}

namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : s_(text) {}

  Json document() {
    Json v = value();
    blanks();
    if (i_ != s_.size()) fail("text after the value");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw std::invalid_argument("JSON: " + what + " at byte " + std::to_string(i_));
  }
  void blanks() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) ++i_;
  }
  bool take(std::string_view word) {
    if (s_.substr(i_, word.size()) != word) return false;
    i_ += word.size();
    return true;
  }
  char peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }

  Json value() {
    blanks();
    const char c = peek();
    if (c == '{') return object();
    if (c == '[') return array();
    if (c == '"') return Json{string()};
    if (take("true")) return Json{true};
    if (take("false")) return Json{false};
    if (take("null")) return Json{nullptr};
    if (c == '-' || (c >= '0' && c <= '9')) return number();
    fail("unexpected character");
  }

  Json object() {
    ++i_;
    JsonObjectValue members;
    blanks();
    if (peek() == '}') {
      ++i_;
      return Json{members};
    }
    for (;;) {
      blanks();
      if (peek() != '"') fail("expected a key");
      std::string key = string();
      for (const auto& m : members)
        if (m.first == key) fail("repeated key " + key);
      blanks();
      if (peek() != ':') fail("expected ':'");
      ++i_;
      Json v = value();
      members.emplace_back(std::move(key), std::move(v));
      blanks();
      if (peek() == ',') {
        ++i_;
        continue;
      }
      if (peek() == '}') {
        ++i_;
        return Json{members};
      }
      fail("expected ',' or '}'");
    }
  }

  Json array() {
    ++i_;
    JsonArrayValue items;
    blanks();
    if (peek() == ']') {
      ++i_;
      return Json{items};
    }
    for (;;) {
      items.push_back(value());
      blanks();
      if (peek() == ',') {
        ++i_;
        continue;
      }
      if (peek() == ']') {
        ++i_;
        return Json{items};
      }
      fail("expected ',' or ']'");
    }
  }

  Json number() {
    const std::size_t start = i_;
    if (peek() == '-') ++i_;
    if (peek() == '0') {
      ++i_;
    } else if (peek() >= '1' && peek() <= '9') {
      while (peek() >= '0' && peek() <= '9') ++i_;
    } else {
      fail("bad number");
    }
    if (peek() == '.') {
      ++i_;
      if (!(peek() >= '0' && peek() <= '9')) fail("bad fraction");
      while (peek() >= '0' && peek() <= '9') ++i_;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++i_;
      if (peek() == '+' || peek() == '-') ++i_;
      if (!(peek() >= '0' && peek() <= '9')) fail("bad exponent");
      while (peek() >= '0' && peek() <= '9') ++i_;
    }
    return Json{std::strtod(std::string(s_.substr(start, i_ - start)).c_str(), nullptr)};
  }

  unsigned hex4() {
    if (i_ + 4 > s_.size()) fail("short \\u escape");
    unsigned v = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = s_[i_++];
      v <<= 4;
      if (c >= '0' && c <= '9') v |= static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f') v |= static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') v |= static_cast<unsigned>(c - 'A' + 10);
      else fail("bad \\u escape");
    }
    return v;
  }

  // A well-formed UTF-8 sequence starting at i_ (lead byte >= 0x80).
  void utf8(std::string& out) {
    const std::size_t n = Utf8SequenceLength(s_.substr(i_));
    if (n == 0) fail("invalid UTF-8");
    out.append(s_.substr(i_, n));
    i_ += n;
  }

  std::string string() {
    ++i_;
    std::string out;
    for (;;) {
      if (i_ >= s_.size()) fail("unterminated string");
      const auto c = static_cast<unsigned char>(s_[i_]);
      if (c == '"') {
        ++i_;
        return out;
      }
      if (c < 0x20) fail("raw control character in a string");
      if (c >= 0x80) {
        utf8(out);
        continue;
      }
      if (c != '\\') {
        out.push_back(static_cast<char>(c));
        ++i_;
        continue;
      }
      ++i_;
      const char e = peek();
      ++i_;
      switch (e) {
        case '"': out.push_back('"'); break;
        case '\\': out.push_back('\\'); break;
        case '/': out.push_back('/'); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        case 't': out.push_back('\t'); break;
        case 'u': {
          unsigned cp = hex4();
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (!take("\\u")) fail("lone high surrogate");
            const unsigned low = hex4();
            if (low < 0xDC00 || low > 0xDFFF) fail("bad low surrogate");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            fail("lone low surrogate");
          }
          AppendUtf8(out, cp);
          break;
        }
        default: fail("bad escape");
      }
    }
  }

  std::string_view s_;
  std::size_t i_ = 0;
};

}  // namespace

Json ParseJson(std::string_view text) { return Parser(text).document(); }

}  // namespace tongshu::testing

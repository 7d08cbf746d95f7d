#include "text/Utf8.h"

namespace tongshu {

std::size_t Utf8SequenceLength(std::string_view text) noexcept {
  if (text.empty()) return 0;
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned c = b(0);
  if (c < 0x80) return 1;
  std::size_t n = 0;
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;  // overlong
    if (c == 0xED) hi = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;  // overlong
    if (c == 0xF4) hi = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < n) return 0;
  if (b(1) < lo || b(1) > hi) return 0;
  for (std::size_t i = 2; i < n; ++i)
    if (b(i) < 0x80 || b(i) > 0xBF) return 0;
  return n;
}

bool IsValidUtf8(std::string_view text) noexcept {
  while (!text.empty()) {
    const std::size_t n = Utf8SequenceLength(text);
    if (n == 0) return false;
    text.remove_prefix(n);
  }
  return true;
}

char32_t DecodeUtf8Sequence(std::string_view text, std::size_t n) noexcept {
  const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(text[i])); };
  switch (n) {
    case 1: return b(0);
    case 2: return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    case 3: return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    case 4: return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
    default: return 0xFFFD;
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace tongshu

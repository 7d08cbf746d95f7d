#include "Utf8.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <memory>
#include <stdexcept>

namespace tongshu::cli {

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

namespace {

struct ConverterClose {
  void operator()(UConverter* c) const noexcept { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterClose>;

Converter OpenGbk() {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open("GBK", &status));
  if (U_FAILURE(status) || !c) throw std::runtime_error("GBK codec is not available");
  // Stop instead of substituting, so an unencodable character is seen as such.
  ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) throw std::runtime_error("GBK codec is not available");
  return c;
}

// The GBK pair of one non-ASCII character, or nothing when it has none that
// also decodes back to the same character.
bool EncodePair(UConverter* c, std::string_view utf8Char, char pair[2]) {
  UChar units[2];
  int32_t count = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(units, 2, &count, utf8Char.data(), static_cast<int32_t>(utf8Char.size()), &status);
  if (U_FAILURE(status)) return false;

  char bytes[8];
  status = U_ZERO_ERROR;
  ucnv_reset(c);
  const int32_t length = ucnv_fromUChars(c, bytes, sizeof bytes, units, count, &status);
  if (U_FAILURE(status) || length != 2) return false;

  UChar back[4];
  status = U_ZERO_ERROR;
  ucnv_reset(c);
  const int32_t backCount = ucnv_toUChars(c, back, 4, bytes, 2, &status);
  if (U_FAILURE(status) || backCount != count) return false;
  for (int32_t i = 0; i < count; ++i)
    if (back[i] != units[i]) return false;
  pair[0] = bytes[0];
  pair[1] = bytes[1];
  return true;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  Converter converter;
  while (!utf8.empty()) {
    const std::size_t n = Utf8SequenceLength(utf8);
    if (n == 0) throw std::invalid_argument("text is not well-formed UTF-8");
    if (n == 1) {
      out.push_back(utf8.front());
    } else {
      if (!converter) converter = OpenGbk();
      char pair[2];
      if (EncodePair(converter.get(), utf8.substr(0, n), pair)) {
        out.append(pair, 2);
      } else {
        out.append("\xFF\xFF");
      }
    }
    utf8.remove_prefix(n);
  }
  return out;
}

}  // namespace tongshu::cli

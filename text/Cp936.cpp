#include "text/Cp936.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

#include "text/Utf8.h"

namespace tongshu::cp936 {
namespace {

struct Cp936Pair {
  std::uint16_t codePoint;
  std::uint16_t code;
};

#include "text/cp936_tables.inc"

constexpr unsigned kTrailSpan = 0xFF - 0x40;

constexpr char32_t Decoded(unsigned lead, unsigned trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return 0;
  return kDecode[(lead - 0x81) * kTrailSpan + (trail - 0x40)];
}

constexpr bool ByCodePoint(const Cp936Pair& a, const Cp936Pair& b) { return a.codePoint < b.codePoint; }

// The two tables must be each other's inverse; a sorted encoding table is what
// the lookup's binary search relies on.
static_assert(std::is_sorted(kEncode.begin(), kEncode.end(), ByCodePoint));
static_assert(std::all_of(kEncode.begin(), kEncode.end(),
                          [](const Cp936Pair& p) { return Decoded(p.code >> 8, p.code & 0xFF) == p.codePoint; }));
static_assert(std::count_if(kDecode.begin(), kDecode.end(), [](std::uint16_t c) { return c != 0; }) ==
              static_cast<std::ptrdiff_t>(kEncode.size()));
static_assert(Decoded(0xD6, 0xD0) == U'中' && Decoded(0xB9, 0xFA) == U'国');
static_assert(Decoded(0xA3, 0xC1) == U'Ａ' && Decoded(0xA1, 0xA1) == U'\u3000');
static_assert(kSingles[0].codePoint == U'€' && kSingles[0].code == 0x80);

}  // namespace

std::size_t EncodedLength(char32_t cp) noexcept {
  if (cp < 0x80) return 1;
  for (const Cp936Pair& s : kSingles)
    if (s.codePoint == cp) return 1;
  if (cp > 0xFFFF) return 0;
  const Cp936Pair key{static_cast<std::uint16_t>(cp), 0};
  return std::binary_search(kEncode.begin(), kEncode.end(), key, ByCodePoint) ? 2 : 0;
}

bool Encode(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
    return true;
  }
  for (const Cp936Pair& s : kSingles) {
    if (s.codePoint == cp) {
      out.push_back(static_cast<char>(s.code));
      return true;
    }
  }
  if (cp > 0xFFFF) return false;
  const Cp936Pair key{static_cast<std::uint16_t>(cp), 0};
  const auto it = std::lower_bound(kEncode.begin(), kEncode.end(), key, ByCodePoint);
  if (it == kEncode.end() || it->codePoint != cp) return false;
  out.push_back(static_cast<char>(it->code >> 8));
  out.push_back(static_cast<char>(it->code & 0xFF));
  return true;
}

char32_t DecodePair(unsigned char lead, unsigned char trail) noexcept { return Decoded(lead, trail); }

std::size_t GbkLength(std::u32string_view text) noexcept {
  std::size_t n = 0;
  for (const char32_t cp : text) {
    const std::size_t len = EncodedLength(cp);
    n += len == 0 ? DefaultCharCount(cp) : len;
  }
  return n;
}

std::string FromCodePoints(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char32_t cp : text)
    if (!Encode(cp, out)) out.append(DefaultCharCount(cp), kDefaultChar);
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::size_t n = Utf8SequenceLength(utf8);
    if (n == 0) throw std::invalid_argument("text is not well-formed UTF-8");
    const char32_t cp = DecodeUtf8Sequence(utf8, n);
    if (!Encode(cp, out)) out.append(DefaultCharCount(cp), kDefaultChar);
    utf8.remove_prefix(n);
  }
  return out;
}

std::string ToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (std::size_t i = 0; i < gbk.size();) {
    const auto b = static_cast<unsigned char>(gbk[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    const auto single = std::find_if(kSingles.begin(), kSingles.end(), [&](const Cp936Pair& s) { return s.code == b; });
    if (single != kSingles.end()) {
      AppendUtf8(out, single->codePoint);
      ++i;
      continue;
    }
    const char32_t cp = i + 1 < gbk.size() ? Decoded(b, static_cast<unsigned char>(gbk[i + 1])) : 0;
    if (cp != 0) {
      AppendUtf8(out, cp);
      i += 2;
    } else {
      AppendUtf8(out, 0xFFFD);
      ++i;
    }
  }
  return out;
}

}  // namespace tongshu::cp936

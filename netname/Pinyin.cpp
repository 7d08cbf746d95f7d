#include "Pinyin.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>

#include "SyllableTables.h"

namespace tongshu::netname {
namespace {

// A short fixed piece: a length and up to two characters.
struct ShortRecord {
  std::uint8_t length;
  std::array<char, 2> text;
};

constexpr ShortRecord Digits(int value) {
  if (value < 10) return {1, {static_cast<char>('0' + value), 0}};
  return {2, {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)}};
}

// Trail bytes 0xA1..0xFE of lead byte 0xA2: each numeral as its decimal value.
constexpr std::array<ShortRecord, 94> Row2Numerals = [] {
  struct Run {
    int firstTrail;
    int count;
  };
  // ⅰ..ⅹ, ⒈..⒛, ⑴..⒇, ①..⑩, ㈠..㈩, Ⅰ..Ⅻ; the gaps between them stay empty.
  constexpr Run runs[] = {{0xA1, 10}, {0xB1, 20}, {0xC5, 20}, {0xD9, 10}, {0xE5, 10}, {0xF1, 12}};
  std::array<ShortRecord, 94> table{};
  for (const Run& run : runs)
    for (int i = 0; i < run.count; ++i) table[static_cast<std::size_t>(run.firstTrail - 0xA1 + i)] = Digits(i + 1);
  return table;
}();

// Α/α to Ω/ω in alphabet order; lead byte 0xA6, trails 0xA1.. and 0xC1...
constexpr std::array<ShortRecord, 24> GreekLetters = {{
    {1, {'a'}},      {1, {'b'}},      {1, {'g'}},      {1, {'d'}}, {1, {'e'}}, {1, {'z'}},
    {1, {'e'}},      {2, {'t', 'h'}}, {1, {'i'}},      {1, {'k'}}, {1, {'l'}}, {1, {'m'}},
    {1, {'n'}},      {1, {'x'}},      {1, {'o'}},      {1, {'p'}}, {1, {'r'}}, {1, {'s'}},
    {1, {'t'}},      {1, {'u'}},      {2, {'p', 'h'}}, {2, {'k', 'h'}}, {2, {'p', 's'}}, {1, {'o'}},
}};

constexpr bool IsAsciiAlnum(unsigned c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr char Upper(unsigned c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); }

// For the default single-byte rule: the upper-cased letter or digit, 0 to drop.
constexpr std::array<char, 256> kPlainSingle = [] {
  std::array<char, 256> table{};
  for (unsigned c = 0; c < 256; ++c) table[c] = IsAsciiAlnum(c) ? Upper(c) : '\0';
  return table;
}();

constexpr unsigned kNumeralLead = 0xA2;
constexpr unsigned kFullWidthLead = 0xA3;
constexpr unsigned kGreekLead = 0xA6;

}  // namespace

std::string ConvertToPinyin(std::string_view text, PinyinFlags flags, int maxLength) {
  std::string result;
  if (flags < 0 || maxLength <= 0 || text.empty()) return result;
  const bool fullSyllable = (flags & pfFullSyllable) != 0;
  const bool markUnmapped = (flags & pfMarkUnmapped) != 0;
  const bool keepAllSingle = (flags & pfKeepAllSingle) != 0;

  // Every input byte yields at most one output character, except that a
  // whole syllable gives up to six for two bytes. The walk stops once the
  // limit is reached (later input cannot change a prefix); the slack holds
  // the one piece that may cross it.
  const std::size_t n = text.size();
  const auto maxChars = static_cast<std::size_t>(maxLength);
  const std::size_t perByte = fullSyllable ? 3 : 1;
  const std::size_t limit = n >= maxChars ? maxChars : std::min(n * perByte, maxChars);
  constexpr std::size_t kSlack = 6;
  result.resize(limit + kSlack);

  char* out = result.data();
  char* const stop = out + limit;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + n;

  while (p < end && out < stop) {
    const unsigned b = p[0];
    const unsigned t = (p + 1 < end) ? p[1] : 0u;
    if (b < 0x81 || t < 0x40) {
      const char c = keepAllSingle ? Upper(b) : kPlainSingle[b];
      *out = c;
      out += (keepAllSingle || c != '\0') ? 1 : 0;
      ++p;
      continue;
    }
    p += 2;

    bool unmapped = false;
    if (b == 0xFF || t == 0xFF) {  // not GBK; outside every table
      unmapped = true;
    } else if (b == kNumeralLead) {
      if (t >= 0xA1) {
        const ShortRecord& r = Row2Numerals[t - 0xA1];
        std::memcpy(out, r.text.data(), 2);
        out += r.length;
      } else {
        unmapped = true;
      }
    } else if (b == kFullWidthLead) {
      const unsigned c = (t - 0x80) & 0xFF;
      if (keepAllSingle || IsAsciiAlnum(c)) *out++ = static_cast<char>(c);
    } else if (b == kGreekLead) {
      unsigned slot = 24;
      if (t >= 0xA1 && t <= 0xB8) slot = t - 0xA1;
      else if (t >= 0xC1 && t <= 0xD8) slot = t - 0xC1;
      if (slot < 24) {
        const ShortRecord& r = GreekLetters[slot];
        out[0] = Upper(static_cast<unsigned char>(r.text[0]));
        out[1] = Upper(static_cast<unsigned char>(r.text[1]));
        out += r.length;
      } else {
        unmapped = true;
      }
    } else {
      const std::uint16_t record =
          SyllableIndex[static_cast<std::size_t>(b - kFirstLead) * kIndexColumns + (t - kFirstTrail)];
      if (record == 0 || record > kSyllableRecords) {
        unmapped = true;
      } else {
        const SyllableRecord& r = SyllableTable[record - 1u];
        if (fullSyllable) {
          for (std::size_t i = 0; i < r.length && i < r.letters.size(); ++i)
            out[i] = Upper(static_cast<unsigned char>(r.letters[i]));
          out += std::min<std::size_t>(r.length, r.letters.size());
        } else {
          *out = Upper(static_cast<unsigned char>(r.letters[0]));
          out += (r.length != 0) ? 1 : 0;
        }
      }
    }
    if (unmapped && markUnmapped) *out++ = '?';
  }

  result.resize(std::min(static_cast<std::size_t>(out - result.data()), limit));
  return result;
}

}  // namespace tongshu::netname

extern "C" char* ConvertToPinyinZ(const char* text, int32_t flags, int32_t maxLength) {
  try {
    const std::string converted =
        tongshu::netname::ConvertToPinyin(text ? std::string_view(text) : std::string_view(), flags, maxLength);
    auto* copy = static_cast<char*>(std::malloc(converted.size() + 1));
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, converted.data(), converted.size());
    copy[converted.size()] = '\0';
    return copy;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

extern "C" void ReleasePinyinZ(char* buffer) { std::free(buffer); }

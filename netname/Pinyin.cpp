#include "netname/Pinyin.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>

#include "netname/SyllableTables.h"
#include "text/AsciiText.h"

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

constexpr char Upper(unsigned c) { return AsciiUpper(static_cast<char>(c)); }

// For the default single-byte rule: the upper-cased letter or digit, 0 to drop.
constexpr std::array<char, 256> kPlainSingle = [] {
  std::array<char, 256> table{};
  for (unsigned c = 0; c < 256; ++c) table[c] = IsAsciiAlnum(static_cast<char>(c)) ? Upper(c) : '\0';
  return table;
}();

// What a byte does as the first byte of a step.
enum LeadClass : std::uint8_t { kSingle, kHanzi, kNumeralRow, kFullWidthRow, kGreekRow, kInvalid };

constexpr std::array<LeadClass, 256> kLeadClass = [] {
  std::array<LeadClass, 256> table{};
  for (unsigned b = 0; b < 256; ++b) table[b] = b < 0x81 ? kSingle : kHanzi;
  table[0xA2] = kNumeralRow;
  table[0xA3] = kFullWidthRow;
  table[0xA6] = kGreekRow;
  table[0xFF] = kInvalid;  // not GBK; outside every table
  return table;
}();

// Longest piece one step appends, and what the writer may touch beyond it.
constexpr std::size_t kSlack = 8;

// A record's letters upper-cased, as eight bytes (six letters, zero padding).
inline std::uint64_t UpperLetters(const SyllableRecord& r) {
  std::uint64_t v = 0;
  std::memcpy(&v, r.letters.data(), r.letters.size());
  return v & ~UINT64_C(0x2020202020202020);  // a..z -> A..Z; zero stays zero
}

template <bool MarkUnmapped>
inline char* Unmapped(char* out) {
  if constexpr (MarkUnmapped) *out++ = '?';
  return out;
}

template <bool KeepAllSingle>
inline char* SingleByte(unsigned b, char* out) {
  if constexpr (KeepAllSingle) {
    *out++ = Upper(b);
  } else {
    const char c = kPlainSingle[b];
    *out = c;
    out += (c != '\0');
  }
  return out;
}

// Syllable record of a Chinese-character pair, 0 for none.
inline unsigned RecordOf(unsigned lead, unsigned trail) {
  const unsigned record =
      SyllableIndex[static_cast<std::size_t>(lead - kFirstLead) * kIndexColumns + (trail - kFirstTrail)];
  return record <= static_cast<unsigned>(kSyllableRecords) ? record : 0u;
}

// One double-byte step: lead >= 0x81 and trail >= 0x40.
template <bool FullSyllable, bool MarkUnmapped, bool KeepAllSingle>
char* PairStep(unsigned b, unsigned t, char* out) {
  if (t == 0xFF) return Unmapped<MarkUnmapped>(out);
  switch (kLeadClass[b]) {
    case kHanzi: {
      const unsigned record = RecordOf(b, t);
      if (record == 0) return Unmapped<MarkUnmapped>(out);
      const SyllableRecord& r = SyllableTable[record - 1u];
      if constexpr (FullSyllable) {
        const std::uint64_t letters = UpperLetters(r);
        std::memcpy(out, &letters, sizeof letters);
        return out + std::min<std::size_t>(r.length, r.letters.size());
      } else {
        const char c = static_cast<char>(r.letters[0] & 0xDF);
        *out = c;
        return out + (c != '\0');
      }
    }
    case kNumeralRow: {
      if (t < 0xA1) return Unmapped<MarkUnmapped>(out);
      const ShortRecord& r = Row2Numerals[t - 0xA1];
      std::memcpy(out, r.text.data(), 2);
      return out + r.length;
    }
    case kFullWidthRow: {
      const unsigned c = (t - 0x80) & 0xFF;
      if (KeepAllSingle || IsAsciiAlnum(c)) *out++ = static_cast<char>(c);
      return out;
    }
    case kGreekRow: {
      unsigned slot = 24;
      if (t >= 0xA1 && t <= 0xB8) slot = t - 0xA1;
      else if (t >= 0xC1 && t <= 0xD8) slot = t - 0xC1;
      if (slot >= 24) return Unmapped<MarkUnmapped>(out);
      const ShortRecord& r = GreekLetters[slot];
      out[0] = Upper(static_cast<unsigned char>(r.text[0]));
      out[1] = Upper(static_cast<unsigned char>(r.text[1]));
      return out + r.length;
    }
    case kSingle:
    case kInvalid:
      break;
  }
  return Unmapped<MarkUnmapped>(out);
}

struct WalkEnd {
  const unsigned char* in;  // first byte not yet converted
  char* out;                // end of what was written
};

// The walk, specialised per flag combination so that the common case runs
// without tests of the flags. Takes steps while output has not reached
// `stop`; the last step may write up to kSlack bytes past it. Stops only
// between steps, so it can be resumed from `in`.
template <bool FullSyllable, bool MarkUnmapped, bool KeepAllSingle>
WalkEnd Walk(const unsigned char* p, const unsigned char* const end, char* out, char* const stop) {
  // Every step but a final lone byte has a following byte to look at.
  while (p + 1 < end && out < stop) {
    const unsigned b = p[0];
    const unsigned t = p[1];
    if (b < 0x81 || t < 0x40) {
      out = SingleByte<KeepAllSingle>(b, out);
      ++p;
      continue;
    }
    p += 2;
    if constexpr (!FullSyllable) {
      // The bulk of Chinese text, kept free of dependent tests: the branches
      // below are taken the same way nearly every time.
      if (kLeadClass[b] == kHanzi && t != 0xFF) [[likely]] {
        const unsigned record = RecordOf(b, t);
        if (record == 0) [[unlikely]] {
          out = Unmapped<MarkUnmapped>(out);
          continue;
        }
        const SyllableRecord& r = SyllableTable[record - 1u];
        if (r.length == 0) [[unlikely]] continue;
        *out++ = static_cast<char>(r.letters[0] & 0xDF);
        continue;
      }
    }
    out = PairStep<FullSyllable, MarkUnmapped, KeepAllSingle>(b, t, out);
  }
  if (p + 1 == end && out < stop) out = SingleByte<KeepAllSingle>(*p++, out);  // a last byte is taken alone
  return {p, out};
}

using WalkFn = WalkEnd (*)(const unsigned char*, const unsigned char*, char*, char*);

constexpr WalkFn kWalks[8] = {
    Walk<false, false, false>, Walk<true, false, false>, Walk<false, true, false>, Walk<true, true, false>,
    Walk<false, false, true>,  Walk<true, false, true>,  Walk<false, true, true>,  Walk<true, true, true>,
};

}  // namespace

std::string ConvertToPinyin(std::string_view text, PinyinFlags flags, int maxLength) {
  std::string result;
  if (flags < 0 || maxLength <= 0 || text.empty()) return result;

  // Every input byte yields at most one output character, except that a
  // whole syllable gives up to six for two bytes. The walk stops at the
  // limit (later input cannot change a prefix). The buffer starts at one
  // character per byte, enough for all but whole syllables, and grows when a
  // walk of whole syllables fills it.
  const std::size_t n = text.size();
  const auto maxChars = static_cast<std::size_t>(maxLength);
  const std::size_t perByte = (flags & pfFullSyllable) ? 3 : 1;
  const std::size_t limit = n >= maxChars ? maxChars : std::min(n * perByte, maxChars);
  std::size_t capacity = std::min(limit, n);
  result.resize(capacity + kSlack);

  const WalkFn walk = kWalks[flags & 7];
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = in + n;
  std::size_t written = 0;
  for (;;) {
    char* const base = result.data();
    const WalkEnd stopped = walk(in, end, base + written, base + capacity);
    in = stopped.in;
    written = static_cast<std::size_t>(stopped.out - base);
    if (in == end || written >= limit) break;
    capacity = std::min(limit, capacity + capacity / 2 + kSlack);
    result.resize(capacity + kSlack);
  }
  result.resize(std::min(written, limit));
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

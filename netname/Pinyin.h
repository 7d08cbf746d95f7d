#pragma once
// GBK text to Latin letters: one pinyin initial (or the whole syllable) per
// Chinese character, ASCII letters and digits upper-cased, and fixed Latin
// forms for the enclosed and Roman numerals, full-width ASCII and Greek rows.
// Pure and thread-safe; defined for any bytes, any flags and any length.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "netname/PinyinZ.h"

namespace tongshu::netname {

// Three independent bits; the others are ignored, but a negative value makes
// every result empty.
using PinyinFlags = std::int32_t;
inline constexpr PinyinFlags pfFullSyllable = 1;   // whole syllable instead of its initial
inline constexpr PinyinFlags pfMarkUnmapped = 2;   // "?" for a double-byte character without letters
inline constexpr PinyinFlags pfKeepAllSingle = 4;  // keep every single-byte and full-width ASCII character

// Converts GBK bytes; the result holds at most maxLength characters (none when
// maxLength <= 0).
std::string ConvertToPinyin(std::string_view text, PinyinFlags flags, int maxLength);

// Owns a buffer returned by ConvertToPinyinZ.
struct PinyinZRelease {
  void operator()(char* buffer) const noexcept { ReleasePinyinZ(buffer); }
};
using PinyinZBuffer = std::unique_ptr<char, PinyinZRelease>;

}  // namespace tongshu::netname

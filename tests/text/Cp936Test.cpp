// The one GBK codec: code page 936 as Windows has it, and the UTF-8 checks
// every text argument passes.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "text/Cp936.h"
#include "text/Utf8.h"

namespace {

using namespace tongshu;

TEST(Utf8, ValidityFollowsTheStandardsBoundaries) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"abc", true},
      {"\xC2\x80", true},           // U+0080
      {"\xC1\xBF", false},          // overlong
      {"\xE0\x9F\xBF", false},      // overlong
      {"\xE0\xA0\x80", true},       // U+0800
      {"\xED\x9F\xBF", true},       // U+D7FF
      {"\xED\xA0\x80", false},      // surrogate
      {"\xEF\xBF\xBF", true},       // U+FFFF
      {"\xF0\x8F\xBF\xBF", false},  // overlong
      {"\xF4\x8F\xBF\xBF", true},   // U+10FFFF
      {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
      {"\xF5\x80\x80\x80", false},
      {"\x80", false},
      {"\xE4\xB8", false},  // cut short
      {"\xE4\x41\xAD", false},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidUtf8(text), valid) << testing::PrintToString(text);
}

TEST(Cp936, KnownCharactersAndTheDefaultCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"中国", "\xD6\xD0\xB9\xFA"},
      {"a1 -", "a1 -"},
      {"\xEF\xBC\xA1", "\xA3\xC1"},         // full-width A
      {"€", "\x80"},                          // code page 936's single byte
      {"€中", "\x80\xD6\xD0"},
      {"·—", "\xA1\xA4\xA1\xAA"},            // where code page 936 and plain GBK tables part ways
      {"\xEE\x80\x80", "\xAA\xA1"},           // U+E000, first user-defined position
      // As Windows converts: a "?" for each UTF-16 unit of what it cannot encode.
      {"😀中", "??\xD6\xD0"},                   // beyond the BMP
      {"a\xE0\xB8\x81", "a?"},                  // Thai
  };
  for (const auto& [utf8, gbk] : cases) {
    EXPECT_EQ(cp936::FromUtf8(utf8), gbk) << utf8;
    if (gbk.find('?') == std::string::npos) {
      EXPECT_EQ(cp936::ToUtf8(gbk), utf8) << utf8;
    }
  }
  EXPECT_THROW(cp936::FromUtf8("\xD6\xD0"), std::invalid_argument);
}

TEST(Cp936, EveryAssignedPairRoundTripsAndLengthsAgree) {
  int assigned = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const char32_t cp = cp936::DecodePair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
      if (cp == 0) continue;
      ++assigned;
      std::string bytes;
      ASSERT_TRUE(cp936::Encode(cp, bytes)) << std::hex << lead << ' ' << trail;
      ASSERT_EQ(bytes, std::string({static_cast<char>(lead), static_cast<char>(trail)}));
      ASSERT_EQ(cp936::EncodedLength(cp), 2u);
    }
  }
  // ICU's windows-936-2000 table, the generator's source: 21,791 pairs for
  // characters and 2,149 for private-use code points (the user-defined areas
  // and the unassigned places of the symbol rows), the same 2,149 in which
  // glibc's GBK table differs.
  EXPECT_EQ(assigned, 21791 + 2149);
  EXPECT_EQ(cp936::EncodedLength(U'€'), 1u);
  EXPECT_EQ(cp936::EncodedLength(U'\U0001F600'), 0u);
  EXPECT_EQ(cp936::GbkLength(U"a中€\U0001F600\u0E01"), 1u + 2 + 1 + 2 + 1);
  // A lone surrogate, as a UTF-16 text may hold one, is one unit: one "?".
  EXPECT_EQ(cp936::FromCodePoints(std::u32string{U'a', char32_t{0xD800}, U'b'}), "a?b");
}

}  // namespace

// The JSON string writer and the UTF-8 check, which every --json line and
// every text argument pass through.
#include <gtest/gtest.h>

#include <string>

#include "Json.h"
#include "JsonParse.h"
#include "Utf8.h"

namespace {

using tongshu::cli::IsValidUtf8;
using tongshu::cli::JsonString;
using tongshu::cli::Utf8ToGbk;

struct Escape {
  std::string in;
  std::string json;
};

TEST(JsonString, EscapesWhatJsonRequiresAndKeepsUtf8) {
  const Escape cases[] = {
      {"", "\"\""},
      {"plain", "\"plain\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\b", "\"a\\\\b\""},
      {"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
      {std::string("\x00\x01\x1f", 3), "\"\\u0000\\u0001\\u001f\""},
      {"\x7f/", "\"\x7f/\""},
      {"中文😀", "\"中文😀\""},
      // Malformed UTF-8 becomes U+FFFD, one per byte that starts no character.
      {"a\xFF" "b", "\"a\\ufffdb\""},
      {"\xC0\xAF", "\"\\ufffd\\ufffd\""},
      {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
      {"\xE4\xB8", "\"\\ufffd\\ufffd\""},
      {"\xF4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""},
  };
  for (const Escape& c : cases) {
    EXPECT_EQ(JsonString(c.in), c.json) << c.json;
    EXPECT_NO_THROW(tongshu::testing::ParseJson(JsonString(c.in))) << c.json;
  }
}

TEST(JsonString, RoundTripsEveryByteOfWellFormedText) {
  std::string all;
  for (int c = 1; c < 0x80; ++c) all.push_back(static_cast<char>(c));
  all += "中国ａ€𠀀";
  EXPECT_EQ(tongshu::testing::ParseJson(JsonString(all)).str(), all);
}

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

TEST(Utf8ToGbk, PairsForGbkAndTheUnmappedPairOtherwise) {
  EXPECT_EQ(Utf8ToGbk("中国"), "\xD6\xD0\xB9\xFA");
  EXPECT_EQ(Utf8ToGbk("a1 -"), "a1 -");
  EXPECT_EQ(Utf8ToGbk("\xEF\xBC\xA1"), "\xA3\xC1");   // full-width A
  EXPECT_EQ(Utf8ToGbk("€"), "\xFF\xFF");              // a single byte in code page 936
  EXPECT_EQ(Utf8ToGbk("😀中"), "\xFF\xFF\xD6\xD0");
  EXPECT_THROW(Utf8ToGbk("\xD6\xD0"), std::invalid_argument);
}

}  // namespace

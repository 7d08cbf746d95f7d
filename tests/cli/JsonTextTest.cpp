// The JSON string writer and the UTF-8 check, which every --json line and
// every text argument pass through.
#include <gtest/gtest.h>

#include <string>

#include "cli/Json.h"
#include "tests/cli/JsonParse.h"

namespace {

using tongshu::cli::JsonString;

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

}  // namespace

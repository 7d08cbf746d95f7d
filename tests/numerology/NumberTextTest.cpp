#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "numerology/NumberText.h"

namespace tongshu::numerology {
namespace {

using namespace std::string_view_literals;

struct Converts {
  std::string_view text;
  std::int64_t value;
};

class StrToInt64Valid : public ::testing::TestWithParam<Converts> {};

TEST_P(StrToInt64Valid, Converts) { EXPECT_EQ(StrToInt64(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToInt64Valid,
    ::testing::Values(Converts{"0", 0}, Converts{"-0", 0}, Converts{"7", 7}, Converts{"+7", 7}, Converts{"-5", -5},
                      Converts{"000123", 123}, Converts{"-000123", -123}, Converts{"999999999999999999", 999999999999999999},
                      Converts{"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
                      Converts{"09223372036854775807", std::numeric_limits<std::int64_t>::max()},
                      Converts{"-9223372036854775807", -std::numeric_limits<std::int64_t>::max()},
                      Converts{"-9223372036854775808", std::numeric_limits<std::int64_t>::min()}));

class StrToInt64Invalid : public ::testing::TestWithParam<std::string_view> {};

TEST_P(StrToInt64Invalid, ThrowsWithTheOffendingText) {
  const std::string_view text = GetParam();
  try {
    const std::int64_t value = StrToInt64(text);
    ADD_FAILURE() << "converted to " << value;
  } catch (const ConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToInt64Invalid,
    ::testing::Values("", "a", "12a", "a12", "-", "+", "--1", "+-1", "-+1", " 1", "1 ", "1 2", "1.0", "1e3",
                      "0x10", "$10", "１２",  // full-width digits
                      "9223372036854775808", "-9223372036854775809", "18446744073709551616",
                      "99999999999999999999", "中文"));

TEST(StrToInt64, EmbeddedNulIsNoDigit) {
  EXPECT_THROW(StrToInt64("1\0"sv), ConvertError);
  EXPECT_THROW(StrToInt64("\0" "1"sv), ConvertError);
}

TEST(StrToInt64, ReadsOnlyTheGivenCharacters) {
  const char buffer[] = "123456";
  EXPECT_EQ(StrToInt64(std::string_view(buffer, 3)), 123);
  EXPECT_THROW(StrToInt64(std::string_view(buffer, 0)), ConvertError);
}

TEST(TrimBlanks, DropsControlCharactersAndSpacesAtBothEnds) {
  struct Case {
    std::string_view text, trimmed;
  };
  const Case cases[] = {
      {"", ""},          {"   ", ""},         {"12", "12"},           {"  12 ", "12"},
      {"\t\r\n12\x01", "12"}, {"1 2", "1 2"}, {"\x7f" "12", "\x7f" "12"}, {" 中 文 ", "中 文"},
      {"\0 7\0"sv, "7"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimLow(c.text), c.trimmed) << '"' << c.text << '"';
}

}  // namespace
}  // namespace tongshu::numerology

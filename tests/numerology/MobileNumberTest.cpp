// The mobile-number reduction and its statement, without the window.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "numerology/MobileNumber.h"
#include "numerology/NumberText.h"
#include "text/Cp936.h"

namespace tongshu::numerology {
namespace {

// The box's text as the reduction takes it: code page 936 bytes.
std::string Gbk(const char* utf8) { return cp936::FromUtf8(utf8); }

TEST(ShoujiReducedNumber, TheBytesFromTheEighthOnModuloEighty) {
  struct Case {
    const char* number;
    const char* reduced;
  };
  const Case cases[] = {
      {"12345678901", "21"},  // 8901 = 111 * 80 + 21
      {"10000009999", "79"},
      {"10000000080", "0"},
      {"10000008000", "0"},
      {"10000000000", "0"},
      {"13800000079", "79"},  // leading zeros read as decimal, not octal
      {"13800000081", "1"},
      {"12345678", "8"},      // eight characters: one digit
      {"123456789", "9"},
      {"1234567890", "10"},   // ten characters: three digits, 890 = 11 * 80 + 10
      {"abcdefg1234", "34"},  // the first seven are never looked at
      {"一二三4567890", "50"},  // bytes, not characters, are counted: 567890 = 7098 * 80 + 50
      {"号码1234567", "7"},      // 4567 = 57 * 80 + 7
      {"€123456789", "69"},      // the euro sign is the single byte 0x80: 789 = 9 * 80 + 69
      {"123456712345678901234", "34"},  // longer than the box allows: 12345678901234 mod 80
  };
  for (const Case& c : cases) EXPECT_EQ(ShoujiReducedNumber(Gbk(c.number)), c.reduced) << c.number;
}

TEST(ShoujiReducedNumber, NoDigitsOrANonDigitFromTheEighthOnIsTheConversionError) {
  struct Case {
    const char* number;
    const char* message;
  };
  const Case cases[] = {
      {"", "'' is not a valid integer value"},
      {"1234567", "'' is not a valid integer value"},
      {"123", "'' is not a valid integer value"},
      {"一二三", "'' is not a valid integer value"},       // six bytes
      {"一二三四", "'\xEF\xBF\xBD' is not a valid integer value"},  // the eighth byte ends 四: U+FFFD
      {"1234567890a", "'890a' is not a valid integer value"},
      {"1234567-12", "'-12' is not a valid integer value"},  // a sign is no digit of a number
      {"1234567+12", "'+12' is not a valid integer value"},
      {"1234567 12", "' 12' is not a valid integer value"},
      {"1234567'--", "''--' is not a valid integer value"},
      {"1234567;#", "';#' is not a valid integer value"},
      {"1234567中", "'中' is not a valid integer value"},
      {"1234567$FF", "'$FF' is not a valid integer value"},
      {"1234567\xEF\xBC\x91", "'\xEF\xBC\x91' is not a valid integer value"},  // full-width 1
      {"123456799999999999999999999", "'99999999999999999999' is not a valid integer value"},  // beyond 64 bits
  };
  for (const Case& c : cases) {
    try {
      const std::string reduced = ShoujiReducedNumber(Gbk(c.number));
      ADD_FAILURE() << c.number << " gave " << reduced;
    } catch (const ConvertError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.number;
    }
  }
}

TEST(ShoujiStatement, QuotesTheReducedNumberAndTakesNothingElse) {
  EXPECT_EQ(ShoujiStatement("21"), "select title,jx,content from shouji where num = '21'");
  EXPECT_EQ(ShoujiStatement("0"), "select title,jx,content from shouji where num = '0'");
  for (const char* bad : {"", "100", "2'", "'", "1;", "--", "-1", " 1", "1 ", "a"})
    EXPECT_THROW(ShoujiStatement(bad), std::invalid_argument) << '"' << bad << '"';
}

// Whatever the box is given, the result is a remainder the statement takes, or
// the conversion error: no text of the box reaches the statement.
TEST(ShoujiReducedNumber, AnyTextGivesARemainderOrTheConversionError) {
  const std::string alphabet = "0123456789'#;- +\xE4\xB8\xAD";
  std::mt19937 random(12345678);
  const auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  int reduced = 0;
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    for (std::size_t n = below(14); n > 0; --n)
      text += i % 2 ? alphabet[below(alphabet.size())] : static_cast<char>('0' + below(10));
    try {
      const std::string r = ShoujiReducedNumber(text);
      const int value = std::stoi(r);
      ASSERT_TRUE(value >= 0 && value < 80) << text;
      ASSERT_EQ(std::to_string(value), r) << text;
      ASSERT_NO_THROW(ShoujiStatement(r)) << text;
      ++reduced;
    } catch (const ConvertError&) {
    }
  }
  EXPECT_GT(reduced, 10000);
}

}  // namespace
}  // namespace tongshu::numerology

// The mobile-number reduction on any bytes: the bytes from the eighth on must
// be ASCII digits of a 64-bit value, and the result is their remainder modulo
// 80 as the statement's key; anything else is the conversion error.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "numerology/MobileNumber.h"
#include "numerology/NumberText.h"
#include "tests/fuzz/FuzzCheck.h"
#include "text/Cp936.h"

using namespace tongshu::numerology;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = tongshu::fuzz::AsText(data, size);

  // The statement refuses every key that is not a reduced number.
  try {
    const std::string other = ShoujiStatement(text);
    FUZZ_CHECK(!text.empty() && text.size() <= 2);
    for (const char c : text) FUZZ_CHECK(c >= '0' && c <= '9');
    (void)other;
  } catch (const std::invalid_argument&) {
  }

  std::string reduced;
  std::optional<std::string> error;
  try {
    reduced = ShoujiReducedNumber(text);
  } catch (const ConvertError& e) {
    error = e.what();
  }
  if (!error) {
    FUZZ_CHECK(!reduced.empty() && reduced.size() <= 2 && (reduced.size() == 1 || reduced[0] != '0'));
    FUZZ_CHECK(ShoujiStatement(reduced) == "select title,jx,content from shouji where num = '" + reduced + "'");
  }
  // The text is the box's code page 936 bytes; positions are bytes.
  const std::string_view tail = text.size() > 7 ? text.substr(7) : std::string_view();
  // Digit by digit, so that no 64-bit conversion is involved.
  bool digits = !tail.empty();
  bool fits = true;
  unsigned remainder = 0;
  std::int64_t value = 0;
  for (const char c : tail) {
    if (c < '0' || c > '9') {
      digits = false;
      break;
    }
    const int digit = c - '0';
    remainder = (remainder * 10 + static_cast<unsigned>(digit)) % 80;
    if (value > (INT64_MAX - digit) / 10) fits = false;
    if (fits) value = value * 10 + digit;
  }
  if (digits && fits) {
    FUZZ_CHECK(!error);
    FUZZ_CHECK(reduced == std::to_string(remainder));
  } else {
    FUZZ_CHECK(error.has_value());
    // what() is a C string: a zero byte in the text ends the message there.
    const std::string message = "'" + tongshu::cp936::ToUtf8(tail) + "' is not a valid integer value";
    FUZZ_CHECK(*error == message.substr(0, message.find('\0')));
  }
  return 0;
}

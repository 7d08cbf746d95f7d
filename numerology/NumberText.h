#pragma once
// Reading a number that the user typed (or pasted) into a box.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/AsciiText.h"

namespace tongshu::numerology {

// A text that is not a decimal integer in the signed 64-bit range. what() is
// "'<text>' is not a valid integer value", the text in UTF-8 as it was given.
class ConvertError : public std::runtime_error {
 public:
  explicit ConvertError(std::string_view text);
};

// An optional "+" or "-" followed by one or more decimal digits, nothing else
// (no blanks, no hexadecimal prefix). Leading zeros are allowed. The whole
// range of std::int64_t converts, INT64_MIN included; anything beyond throws
// instead of wrapping.
std::int64_t StrToInt64(std::string_view text);

// The boxes' trimming rule is the program's one (AsciiText.h): leading and
// trailing characters of code 32 or below. Bytes of multi-byte UTF-8
// characters are never below 0x80, so it works on UTF-8 as on single bytes.
using ::tongshu::TrimLow;

}  // namespace tongshu::numerology

#pragma once
// The mobile-number reduction and its statement, without the window: the
// command-line companion and the fuzzer call these too.
#include <string>
#include <string_view>

namespace tongshu::numerology {

// The characters of the number text from the eighth on (the last four of an
// eleven-digit number), read as a decimal integer and reduced modulo 80:
// "0" to "79", no leading zeros. Characters are counted as UTF-8 code points,
// so a pasted Chinese character counts once. Throws ConvertError naming those
// characters when they are empty (fewer than eight characters) or hold
// anything but ASCII digits, a sign included.
std::string ShoujiReducedNumber(std::string_view number);

// "select title,jx,content from shouji where num = '" + reduced + "'". Throws
// std::invalid_argument unless reduced is 1 or 2 ASCII digits, so nothing but a
// reduced number can reach the statement.
std::string ShoujiStatement(std::string_view reduced);

}  // namespace tongshu::numerology

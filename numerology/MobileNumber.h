#pragma once
// The mobile-number reduction and its statement, without the window: the
// command-line companion and the fuzzer call these too.
#include <string>
#include <string_view>

namespace tongshu::numerology {

// The bytes of the number's GBK text (code page 936, text/Cp936.h) from
// the eighth on (the last four of an eleven-digit number), read as a decimal
// integer and reduced modulo 80: "0" to "79", no leading zeros. Positions are
// bytes, so a pasted Chinese character counts twice. Throws ConvertError
// naming those bytes, decoded to UTF-8, when they are empty (fewer than eight
// bytes) or hold anything but ASCII digits, a sign included.
std::string ShoujiReducedNumber(std::string_view gbkNumber);

// "select title,jx,content from shouji where num = '" + reduced + "'". Throws
// std::invalid_argument unless reduced is 1 or 2 ASCII digits, so nothing but a
// reduced number can reach the statement.
std::string ShoujiStatement(std::string_view reduced);

}  // namespace tongshu::numerology

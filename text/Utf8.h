#pragma once
// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
#include <cstddef>
#include <string>
#include <string_view>

namespace tongshu {

// Bytes of the well-formed character at the start of text; 0 when the text is
// empty or does not start with one.
std::size_t Utf8SequenceLength(std::string_view text) noexcept;

bool IsValidUtf8(std::string_view text) noexcept;

// The code point of the well-formed sequence text[0, n), n from
// Utf8SequenceLength.
char32_t DecodeUtf8Sequence(std::string_view text, std::size_t n) noexcept;

void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace tongshu

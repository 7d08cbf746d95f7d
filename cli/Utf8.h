#pragma once
// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF), and the GBK form of a UTF-8 text as the net-name window builds it.
#include <cstddef>
#include <string>
#include <string_view>

namespace tongshu::cli {

// Bytes of the well-formed character at the start of text; 0 when the text is
// empty or does not start with one.
std::size_t Utf8SequenceLength(std::string_view text) noexcept;

bool IsValidUtf8(std::string_view text) noexcept;

// Every character in GBK, two bytes for a double-byte character, ASCII as it
// is; a character GBK cannot encode (an emoji, an ideograph beyond GBK, the
// euro sign that code page 936 keeps as a single byte) becomes the unmapped
// pair 0xFF 0xFF, exactly as the window hands text to the converter. Uses
// ICU's "GBK" converter, the table the window's codec uses. Throws
// std::invalid_argument for text that is not well-formed UTF-8 and
// std::runtime_error when ICU has no GBK converter.
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace tongshu::cli

#pragma once
// Code page 936, the program's GBK: every double-byte character, ASCII as it
// is, and the single bytes 0x80 (the euro sign) and 0xFF. The one codec of the
// program: the windows, the command line and the tests all go through it.
#include <cstddef>
#include <string>
#include <string_view>

namespace tongshu::cp936 {

// What the text hands on for a character code page 936 cannot encode, as
// Windows' own conversion does with its default character: a "?" for each
// UTF-16 unit of it, so two for a character beyond the BMP. The result is
// plain text, shown and read like any other.
inline constexpr char kDefaultChar = '?';
constexpr std::size_t DefaultCharCount(char32_t codePoint) noexcept { return codePoint > 0xFFFF ? 2 : 1; }

// Bytes of the character in code page 936 (1 or 2), or 0 when it has none.
std::size_t EncodedLength(char32_t codePoint) noexcept;

// Appends the character's bytes; false, appending nothing, when it has none.
bool Encode(char32_t codePoint, std::string& out);

// The character of a double-byte code, or 0 when code page 936 assigns none.
char32_t DecodePair(unsigned char lead, unsigned char trail) noexcept;

// Byte length of a text in code page 936, a character it cannot encode counted
// as the "?"s it is handed on as.
std::size_t GbkLength(std::u32string_view text) noexcept;

// A text in code page 936, each character it cannot encode as its "?"s. A
// lone surrogate is a character of its own here, and becomes one "?".
std::string FromCodePoints(std::u32string_view text);

// The same for UTF-8 text; throws std::invalid_argument when it is not
// well-formed.
std::string FromUtf8(std::string_view utf8);

// UTF-8 of a code page 936 text; a byte or pair that decodes to nothing
// becomes U+FFFD.
std::string ToUtf8(std::string_view gbk);

}  // namespace tongshu::cp936

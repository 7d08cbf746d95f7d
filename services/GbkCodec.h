#pragma once
// QString faces of the code page 936 codec (Cp936.h) for the windows.
#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace tongshu {

// Each character GBK cannot encode becomes the unmapped pair FF FF.
QByteArray ToGbk(const QString& text);
std::string ToGbkString(const QString& text);
QString FromGbk(const QByteArray& bytes);
// GBK byte length, a character GBK cannot encode counted as two bytes.
qsizetype GbkLength(const QString& text);
// UTF-16 and code points both ways; a lone surrogate stays a code point of
// its own, so that a text passed through unchanged comes back as it was.
std::u32string ToCodePoints(const QString& text);
QString FromCodePoints(std::u32string_view text);
// True when code page 936 can encode this character (a full code point).
bool GbkEncodable(char32_t codePoint);

}  // namespace tongshu

#pragma once
// QString faces of the code page 936 codec (Cp936.h) for the windows.
#include <QByteArray>
#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

namespace tongshu {

// Each character GBK cannot encode becomes "?", two for one beyond the BMP.
QByteArray ToGbk(const QString& text);
std::string ToGbkString(const QString& text);
QString FromGbk(const QByteArray& bytes);
QString FromGbk(std::string_view bytes);
// GBK byte length, a character GBK cannot encode counted as its "?"s.
qsizetype GbkLength(const QString& text);
// The text as code page 936 holds it: what GBK cannot encode is "?", one for
// each UTF-16 unit, so lengths and cursor positions stay.
QString Cp936Text(const QString& text);

// Keeps a box's text as code page 936 holds it, typed or pasted, as an input
// box of the program's own platform does.
class Cp936Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};
// UTF-16 and code points both ways; a lone surrogate stays a code point of
// its own, so that a text passed through unchanged comes back as it was.
std::u32string ToCodePoints(const QString& text);
QString FromCodePoints(std::u32string_view text);
// True when code page 936 can encode this character (a full code point).
bool GbkEncodable(char32_t codePoint);

}  // namespace tongshu

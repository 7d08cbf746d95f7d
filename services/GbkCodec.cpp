#include "services/GbkCodec.h"

#include "text/Cp936.h"

namespace tongshu {

std::u32string ToCodePoints(const QString& text) {
  std::u32string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out.push_back(QChar::surrogateToUcs4(text[i], text[i + 1]));
      ++i;
    } else {
      out.push_back(text[i].unicode());
    }
  }
  return out;
}

QString FromCodePoints(std::u32string_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (const char32_t cp : text) {
    if (QChar::requiresSurrogates(cp)) {
      out += QChar(QChar::highSurrogate(cp));
      out += QChar(QChar::lowSurrogate(cp));
    } else {
      out += QChar(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string ToGbkString(const QString& text) { return cp936::FromCodePoints(ToCodePoints(text)); }

QByteArray ToGbk(const QString& text) {
  const std::string bytes = ToGbkString(text);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString FromGbk(const QByteArray& bytes) {
  return FromGbk(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString FromGbk(std::string_view bytes) { return QString::fromStdString(cp936::ToUtf8(bytes)); }

QString Cp936Text(const QString& text) { return FromGbk(ToGbkString(text)); }

QValidator::State Cp936Validator::validate(QString& input, int&) const {
  input = Cp936Text(input);
  return Acceptable;
}

qsizetype GbkLength(const QString& text) { return static_cast<qsizetype>(cp936::GbkLength(ToCodePoints(text))); }

bool GbkEncodable(char32_t codePoint) { return cp936::EncodedLength(codePoint) != 0; }

}  // namespace tongshu

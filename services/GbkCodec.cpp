#include "services/GbkCodec.h"

#include <QList>

#include "text/Cp936.h"

namespace tongshu {
namespace {

std::u32string CodePoints(const QString& text) {
  const QList<uint> ucs4 = text.toUcs4();
  return std::u32string(ucs4.begin(), ucs4.end());
}

}  // namespace

std::string ToGbkString(const QString& text) { return cp936::FromCodePoints(CodePoints(text)); }

QByteArray ToGbk(const QString& text) {
  const std::string bytes = ToGbkString(text);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString FromGbk(const QByteArray& bytes) {
  return QString::fromStdString(cp936::ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

qsizetype GbkLength(const QString& text) { return static_cast<qsizetype>(cp936::GbkLength(CodePoints(text))); }

bool GbkEncodable(char32_t codePoint) { return cp936::EncodedLength(codePoint) != 0; }

}  // namespace tongshu

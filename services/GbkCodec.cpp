#include "GbkCodec.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <stdexcept>

namespace tongshu {
namespace {

QStringEncoder MakeEncoder() {
  QStringEncoder enc("GBK");
  if (!enc.isValid()) throw std::runtime_error("GBK codec is not available");
  return enc;
}

QStringDecoder MakeDecoder() {
  QStringDecoder dec("GBK");
  if (!dec.isValid()) throw std::runtime_error("GBK codec is not available");
  return dec;
}

}  // namespace

QByteArray ToGbk(const QString& text) {
  QStringEncoder enc = MakeEncoder();
  QByteArray out = enc.encode(text);
  return out;
}

QString FromGbk(const QByteArray& bytes) {
  QStringDecoder dec = MakeDecoder();
  QString out = dec.decode(bytes);
  return out;
}

bool GbkEncodable(char32_t cp) {
  if (cp == 0) return true;
  if (cp < 0x80) return true;
  const QString s = QString::fromUcs4(&cp, 1);
  const QByteArray b = ToGbk(s);
  if (b.isEmpty()) return false;
  // ICU substitutes an unencodable character with 0x1A or '?'.
  if (b.size() == 1) return false;
  return FromGbk(b) == s;
}

qsizetype GbkLength(const QString& text) {
  qsizetype n = 0;
  for (const char32_t cp : text.toUcs4()) n += (cp < 0x80) ? 1 : 2;
  return n;
}

std::string ToGbkString(const QString& text) {
  const QByteArray b = ToGbk(text);
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QString FromGbkString(const std::string& bytes) {
  return FromGbk(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace tongshu

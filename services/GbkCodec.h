#pragma once
// QString <-> GBK bytes. Characters GBK cannot encode become "?" one byte each
// from encoder, but GbkLength counts them as two, as a double-byte character.
#include <QByteArray>
#include <QString>
#include <string>

namespace tongshu {

QByteArray ToGbk(const QString& text);
QString FromGbk(const QByteArray& bytes);
// GBK byte length, with every character GBK cannot encode counted as two bytes.
qsizetype GbkLength(const QString& text);
// True when GBK can encode this character (a full code point).
bool GbkEncodable(char32_t codePoint);

std::string ToGbkString(const QString& text);
QString FromGbkString(const std::string& bytes);

}  // namespace tongshu

#pragma once
// Small pieces shared by the tool windows' hand-built layouts and key filters.
#include <QKeyEvent>
#include <QLabel>
#include <QRect>
#include <QString>
#include <optional>
#include <string_view>

namespace tongshu {

// The engines' texts are UTF-8.
inline QString U8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The program's trimming rule (AsciiText.h) on a box's text: leading and
// trailing characters of code 32 or below.
inline QString TrimLow(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && text[first].unicode() <= 32) ++first;
  while (last > first && text[last - 1].unicode() <= 32) --last;
  return text.mid(first, last - first);
}

// A plain-text label with its design name, at its design geometry.
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(geometry);
  return label;
}

// The character a key press delivers to an input box, or nothing for a key
// that types nothing (cursor and editing keys, Tab, modifiers): key filters
// leave those alone. A key pressed with Ctrl types a control character.
inline std::optional<char16_t> TypedCharacter(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return u'\r';
    case Qt::Key_Backspace:
      return u'\b';
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return std::nullopt;
    default:
      break;
  }
  const QString text = event.text();
  if (text.isEmpty()) return std::nullopt;
  // Several units at once (a surrogate pair, a composed sequence) are never a
  // digit: deliver a character that the filter discards.
  if (text.size() != 1) return u'\0';
  return text.front().unicode();
}

}  // namespace tongshu

#pragma once
// Texts a user may type or paste into any box, and the ways they arrive.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "services/WidgetHelpers.h"

namespace tongshu::robustness {

struct HostileText {
  const char* name;
  QString text;
  // Line breaks typed into a box are the Enter key, which runs the analysis
  // halfway; such texts are only pasted.
  bool typable = true;
  // What is typed key by key: a long text only in part, since nobody types
  // ten thousand keys and the edit's layout makes each key cost its length.
  QString typed() const { return text.left(300); }
};

inline QString Repeat(const QString& unit, int length) {
  QString out;
  while (out.size() < length) out += unit;
  return out.left(length);
}

inline const std::vector<HostileText>& HostileTexts() {
  static const std::vector<HostileText> all = {
      {"paste_of_10000_digits", QString(10000, u'9')},
      {"paste_of_10000_mixed", Repeat(QStringLiteral("a王😀#'１ "), 10000)},
      {"control_characters", QStringLiteral("12\x01\x02\x1b\x7f") + QStringLiteral("34")},
      {"nul_inside", QStringLiteral("12") + QChar(u'\0') + QStringLiteral("34")},
      {"nul_only", QString(3, QChar(u'\0'))},
      {"lone_surrogates", QStringLiteral("12") + QChar(0xD800) + QStringLiteral("34") + QChar(0xDC00)},
      {"right_to_left_marks", QStringLiteral("\u200F12345\u200E")},
      {"right_to_left_override", QStringLiteral("\u202E12345678901")},
      {"emoji_first", QStringLiteral("😀12345")},
      {"emoji_last", QStringLiteral("12345😀")},
      {"full_width_digits", QStringLiteral("１２３４５６７８９０１")},
      {"quotes_and_hash", QStringLiteral("1'2\"3#4")},
      {"statement_text", QStringLiteral("'; drop table shouji; --#")},
      {"date_literal", QStringLiteral("#2011-3-5#")},
      {"leading_trailing_blanks_tabs", QStringLiteral(" \t 12345 \t")},
      {"blanks_and_tabs_only", QStringLiteral(" \t\t  ")},
      {"line_breaks", QStringLiteral("123\r\n45"), false},
      {"minus_sign", QStringLiteral("-81")},
  };
  return all;
}

enum class Delivery { Typed, ContextMenuPaste, CtrlV };

inline const char* DeliveryName(Delivery d) {
  switch (d) {
    case Delivery::Typed: return "typed";
    case Delivery::ContextMenuPaste: return "pasted";
    case Delivery::CtrlV: return "ctrl_v";
  }
  return "";
}

// Types a text key by key as a keyboard and an input method deliver it: a
// control character is Ctrl with a letter carrying that character, a
// character outside ASCII one key event carrying it (a surrogate pair
// together, a lone surrogate alone), a line break the Enter key.
inline void TypeText(QWidget* box, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    const char16_t u = c.unicode();
    QString chunk(c);
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) chunk += text[++i];
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    if (u == u'\r' || u == u'\n') {
      key = Qt::Key_Return;
      chunk = QStringLiteral("\r");
    } else if (u == u'\b') {
      key = Qt::Key_Backspace;
    } else if (u == u'\t') {
      key = Qt::Key_Tab;
    } else if (u == 0x1B) {
      key = Qt::Key_Escape;
    } else if (u == 0x7F) {
      key = Qt::Key_Delete;
    } else if (u == 0) {
      key = Qt::Key_At;
      mods = Qt::ControlModifier;
    } else if (u < 0x20) {
      key = u <= 26 ? Qt::Key(Qt::Key_A + (u - 1)) : Qt::Key(Qt::Key_BracketLeft + (u - 27));
      mods = Qt::ControlModifier;
    } else if (u >= u'a' && u <= u'z') {
      key = Qt::Key(Qt::Key_A + (u - u'a'));
    } else if (u < 0x7F) {
      key = Qt::Key(u);  // Qt's codes of the other ASCII keys are their characters
    }
    QTest::sendKeyEvent(QTest::Press, box, key, chunk, mods);
    QTest::sendKeyEvent(QTest::Release, box, key, chunk, mods);
  }
}

// Puts the text into an emptied box the way a user would.
inline void Deliver(QLineEdit* box, const HostileText& h, Delivery how) {
  box->clear();
  const QString& text = h.text;
  switch (how) {
    case Delivery::Typed:
      TypeText(box, h.typed());
      break;
    case Delivery::ContextMenuPaste:
      QApplication::clipboard()->setText(text);
      box->paste();
      break;
    case Delivery::CtrlV:
      QApplication::clipboard()->setText(text);
      // The platform delivers Ctrl+V with the control character 0x16.
      QTest::sendKeyEvent(QTest::Press, box, Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
      QTest::sendKeyEvent(QTest::Release, box, Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
      break;
  }
}

inline bool AsciiDigitsOnly(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text)
    if (c < u'0' || c > u'9') return false;
  return true;
}

// A readable form for failure messages: control characters and surrogates as
// \u escapes, long texts shortened.
inline std::string Shown(const QString& text) {
  std::string out;
  const QString head = text.size() > 60 ? text.left(60) : text;
  for (const QChar c : head) {
    if (c.unicode() < 32 || c.isSurrogate() || c.unicode() == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", c.unicode());
      out += buf;
    } else {
      out += QString(c).toStdString();
    }
  }
  if (text.size() > 60) out += "... (" + std::to_string(text.size()) + " units)";
  return out;
}

}  // namespace tongshu::robustness

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << tongshu::robustness::Shown(text) << '"'; }

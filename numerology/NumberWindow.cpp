#include "numerology/NumberWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "numerology/NumberText.h"
#include "services/Fonts.h"
#include "services/KeyboardConventions.h"
#include "services/WidgetHelpers.h"
#include "services/WindowPresenter.h"

namespace tongshu::numerology {

NumberWindow::NumberWindow(tongshu::Services& services, const NumberWindowTexts& texts,
                           const NumberWindowGeometry& layout, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services) {
  setWindowTitle(texts.caption);
  setFont(UiFont(kSongTi, 12));
  setFixedSize(layout.client);

  RzLabel1 = MakeLabel(this, "RzLabel1", texts.inputLabel, layout.inputLabel);
  RzLabel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  edtmun = new QLineEdit(this);
  edtmun->setObjectName(QStringLiteral("edtmun"));
  edtmun->setGeometry(layout.box);
  edtmun->setMaxLength(layout.maxLength);
  // Characters only arrive through the key filter; an input method would
  // bypass it.
  edtmun->setAttribute(Qt::WA_InputMethodEnabled, false);
  edtmun->installEventFilter(this);
  MarkKeyFiltered(*edtmun);

  RzBitBtn1 = new QPushButton(QStringLiteral("测算"), this);
  RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
  RzBitBtn1->setGeometry(layout.analyse);
  RzBitBtn2 = new QPushButton(QStringLiteral("关闭"), this);
  RzBitBtn2->setObjectName(QStringLiteral("RzBitBtn2"));
  RzBitBtn2->setGeometry(layout.close);

  RzGroupBox1 = new QGroupBox(QStringLiteral("测算结果"), this);
  RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
  RzGroupBox1->setGeometry(layout.group);

  constexpr int kNameX = 4, kRowHeight = 14;
  int row = 0;
  const auto rowY = [&] { return layout.firstRowY + layout.rowPitch * row++; };
  const auto pair = [&](const char* name, const QString& text, const char* valueName, QLabel*& value) {
    const int y = rowY();
    QLabel* label = MakeLabel(RzGroupBox1, name, text, QRect(kNameX, y, layout.nameWidth, kRowHeight));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value = MakeLabel(RzGroupBox1, valueName, QString(), QRect(layout.valueX, y, layout.valueWidth, kRowHeight));
    return label;
  };
  RzLabel5 = pair("RzLabel5", texts.numberLabel, "RzLabel11", RzLabel11);
  RzLabel4 = pair("RzLabel4", QStringLiteral("状态："), "RzLabel10", RzLabel10);
  RzLabel6 = pair("RzLabel6", QStringLiteral("吉凶："), "RzLabel9", RzLabel9);
  QPalette red = RzLabel9->palette();
  red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
  RzLabel9->setPalette(red);
  RzLabel7 = pair("RzLabel7", QStringLiteral("具体表现："), "RzLabel8", RzLabel8);
  RzLabel8->resize(layout.valueWidth, layout.descriptionHeight);
  RzLabel8->setWordWrap(true);
  RzLabel8->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  connect(RzBitBtn1, &QPushButton::clicked, this, &NumberWindow::RzBitBtn1Click);
  connect(RzBitBtn2, &QPushButton::clicked, this, &NumberWindow::RzBitBtn2Click);

  CentreOnScreen(*this);
}

void NumberWindow::RzBitBtn2Click() { close(); }

void NumberWindow::edtmunKeyPress(char16_t& key) {
  if (key != u'\b' && key != u'\r' && (key < u'0' || key > u'9')) key = 0;
  if (key == u'\r') RzBitBtn1Click();
}

void NumberWindow::FormClose() { setAttribute(Qt::WA_DeleteOnClose); }

std::string NumberWindow::trimmedNumber() const {
  const QByteArray typed = edtmun->text().toUtf8();
  return std::string(TrimLow(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size()))));
}

void NumberWindow::showResult(const QString& number, const QString& status, const QString& verdict,
                              const QString& description) {
  RzLabel11->clear();
  RzLabel10->clear();
  RzLabel9->clear();
  RzLabel8->clear();
  RzLabel11->setText(number);
  RzLabel10->setText(status);
  RzLabel9->setText(verdict);
  RzLabel8->setText(description);
}

bool NumberWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtmun && event->type() == QEvent::KeyPress) {
    const std::optional<char16_t> typed = TypedCharacter(*static_cast<QKeyEvent*>(event));
    if (!typed) return false;
    char16_t key = *typed;
    edtmunKeyPress(key);
    // Enter has done its work in the handler; it changes nothing in the box.
    return key == 0 || key == u'\r';
  }
  return QWidget::eventFilter(watched, event);
}

void NumberWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

}  // namespace tongshu::numerology

#include "EightyOneNumberWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <optional>
#include <string>

#include "ErrorReport.h"
#include "Fonts.h"
#include "MessageSink.h"
#include "NumberText.h"
#include "Services.h"
#include "Shuli.h"
#include "WidgetHelpers.h"

namespace tongshu::numerology {

namespace {

constexpr int kClientWidth = 388;
constexpr int kMaxDigits = 18;


}  // namespace

EightyOneNumberWindow::EightyOneNumberWindow(tongshu::Services& services, const EightyOneNumberTexts& texts,
                                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services),
      blankMessage_(texts.blankMessage) {
  setWindowTitle(texts.caption);
  setFont(UiFont(kSongTi, 12));
  setFixedSize(kClientWidth, texts.clientHeight);

  RzLabel1 = MakeLabel(this, "RzLabel1", texts.inputLabel, QRect(12, 19, 64, 14));
  RzLabel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  edtmun = new QLineEdit(this);
  edtmun->setObjectName(QStringLiteral("edtmun"));
  edtmun->setGeometry(80, 15, 150, 22);
  edtmun->setMaxLength(kMaxDigits);
  // Characters only arrive through the key filter; an input method would
  // bypass it.
  edtmun->setAttribute(Qt::WA_InputMethodEnabled, false);
  edtmun->installEventFilter(this);

  RzBitBtn1 = new QPushButton(QStringLiteral("测算"), this);
  RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
  RzBitBtn1->setGeometry(240, 13, 64, 26);
  RzBitBtn2 = new QPushButton(QStringLiteral("关闭"), this);
  RzBitBtn2->setObjectName(QStringLiteral("RzBitBtn2"));
  RzBitBtn2->setGeometry(312, 13, 64, 26);

  RzGroupBox1 = new QGroupBox(QStringLiteral("测算结果"), this);
  RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
  RzGroupBox1->setGeometry(8, 50, 372, texts.clientHeight - 60);

  constexpr int kNameX = 4, kNameWidth = 72, kValueX = 78, kValueWidth = 290, kRowHeight = 14;
  const auto nameAt = [&](const char* name, const QString& text, int y) {
    QLabel* label = MakeLabel(RzGroupBox1, name, text, QRect(kNameX, y, kNameWidth, kRowHeight));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
  };
  const auto valueAt = [&](const char* name, int y) {
    return MakeLabel(RzGroupBox1, name, QString(), QRect(kValueX, y, kValueWidth, kRowHeight));
  };
  RzLabel5 = nameAt("RzLabel5", texts.numberLabel, 26);
  RzLabel11 = valueAt("RzLabel11", 26);
  RzLabel4 = nameAt("RzLabel4", QStringLiteral("状态："), 50);
  RzLabel10 = valueAt("RzLabel10", 50);
  RzLabel6 = nameAt("RzLabel6", QStringLiteral("吉凶："), 74);
  RzLabel9 = valueAt("RzLabel9", 74);
  QPalette red = RzLabel9->palette();
  red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
  RzLabel9->setPalette(red);
  RzLabel7 = nameAt("RzLabel7", QStringLiteral("具体表现："), 98);
  RzLabel8 = MakeLabel(RzGroupBox1, "RzLabel8", QString(), QRect(kValueX, 98, kValueWidth, 97));
  RzLabel8->setWordWrap(true);
  RzLabel8->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  connect(RzBitBtn1, &QPushButton::clicked, this, &EightyOneNumberWindow::RzBitBtn1Click);
  connect(RzBitBtn2, &QPushButton::clicked, this, &EightyOneNumberWindow::RzBitBtn2Click);

  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void EightyOneNumberWindow::RzBitBtn1Click() {
  Guarded(services_.messages, [&] {
    const QByteArray typed = edtmun->text().toUtf8();
    const std::string number(TrimLow(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size()))));
    if (number.empty()) {
      services_.messages.ShowInfo(blankMessage_);
      return;
    }
    // Converts (or throws) before any label changes, so a failure leaves the
    // previous result on screen.
    const ShuliFields fields = SplitEntryText(shuliinfostr(number));
    RzLabel11->clear();
    RzLabel10->clear();
    RzLabel9->clear();
    RzLabel8->clear();
    RzLabel11->setText(QString::fromStdString(number));
    RzLabel10->setText(QString::fromStdString(fields.fortune));
    RzLabel9->setText(QString::fromStdString(fields.verdict));
    RzLabel8->setText(QString::fromStdString(fields.personality));
  });
}

void EightyOneNumberWindow::RzBitBtn2Click() { close(); }

void EightyOneNumberWindow::edtmunKeyPress(char16_t& key) {
  if (key != u'\b' && key != u'\r' && (key < u'0' || key > u'9')) key = 0;
  if (key == u'\r') RzBitBtn1Click();
}

void EightyOneNumberWindow::FormClose() { setAttribute(Qt::WA_DeleteOnClose); }

bool EightyOneNumberWindow::eventFilter(QObject* watched, QEvent* event) {
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

void EightyOneNumberWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

}  // namespace tongshu::numerology

#include "netname/UntWangm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QValidator>
#include <algorithm>
#include <exception>

#include "netname/NetName.h"
#include "services/ErrorReport.h"
#include "services/Fonts.h"
#include "services/GbkCodec.h"
#include "services/MessageSink.h"
#include "services/WidgetHelpers.h"
#include "services/WindowPresenter.h"

QPointer<TFrmWangming> FrmWangming;

namespace {

// Upper-cases ASCII letters as they are typed or pasted, and keeps the box
// within its GBK byte limit: of what an edit puts in, as many whole
// characters as still fit are kept (a long paste is cut, a key that no longer
// fits types nothing).
class NetNameValidator final : public QValidator {
 public:
  explicit NetNameValidator(QLineEdit* box) : QValidator(box) {
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
  }

  State validate(QString& input, int& pos) const override {
    for (QChar& ch : input)
      if (ch >= u'a' && ch <= u'z') ch = QChar(ch.unicode() - 32);
    constexpr qsizetype kLimit = tongshu::netname::kNetNameMaxBytes;
    if (tongshu::GbkLength(input) <= kLimit) return Acceptable;

    // The edit left the text after the cursor as it was and put its own
    // text between a kept beginning and the cursor.
    const qsizetype after = input.size() - pos;
    if (pos < 0 || after < 0 || after > shown_.size() || input.mid(pos) != shown_.right(after)) return Invalid;
    qsizetype kept = 0;
    const qsizetype keptLimit = std::min<qsizetype>(pos, shown_.size() - after);
    while (kept < keptLimit && input[kept] == shown_[kept]) ++kept;
    const QString rest = input.mid(pos);
    qsizetype room = kLimit - tongshu::GbkLength(input.left(kept) + rest);
    if (room < 0) return Invalid;
    qsizetype end = kept;
    while (end < pos) {
      const qsizetype width = input[end].isHighSurrogate() && end + 1 < pos && input[end + 1].isLowSurrogate() ? 2 : 1;
      const qsizetype bytes = tongshu::GbkLength(input.mid(end, width));
      if (bytes > room) break;
      room -= bytes;
      end += width;
    }
    input = input.left(end) + rest;
    pos = static_cast<int>(end);
    return Acceptable;
  }

 private:
  QString shown_;
};

void SetTextColour(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

// The window's outer size is 395 x 213; a 3-pixel fixed frame and a 19-pixel
// caption leave this client area.
constexpr int kClientWidth = 389;
constexpr int kClientHeight = 188;

}  // namespace

TFrmWangming::TFrmWangming(tongshu::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services) {
  setObjectName(QStringLiteral("FrmWangming"));
  setWindowTitle(QStringLiteral("网名与性格"));
  setFont(tongshu::UiFont(tongshu::kSongTi, 12));
  setFixedSize(kClientWidth, kClientHeight);

  RzGroupBox2 = new QGroupBox(this);
  RzGroupBox2->setObjectName(QStringLiteral("RzGroupBox2"));
  RzGroupBox2->setGeometry(8, 6, 373, 52);

  RzLabel1 = new QLabel(QStringLiteral("输入网名："), RzGroupBox2);
  RzLabel1->setObjectName(QStringLiteral("RzLabel1"));
  RzLabel1->setGeometry(12, 18, 62, 16);

  edtmun = new QLineEdit(RzGroupBox2);
  edtmun->setObjectName(QStringLiteral("edtmun"));
  edtmun->setGeometry(76, 15, 146, 22);
  edtmun->setValidator(new NetNameValidator(edtmun));
  edtmun->installEventFilter(this);

  RzBitBtn1 = new QPushButton(QStringLiteral("测算"), RzGroupBox2);
  RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
  RzBitBtn1->setGeometry(232, 13, 62, 26);
  RzBitBtn1->setAutoDefault(false);

  RzBitBtn2 = new QPushButton(QStringLiteral("关闭"), RzGroupBox2);
  RzBitBtn2->setObjectName(QStringLiteral("RzBitBtn2"));
  RzBitBtn2->setGeometry(300, 13, 62, 26);
  RzBitBtn2->setAutoDefault(false);

  RzGroupBox1 = new QGroupBox(QStringLiteral("测算结果"), this);
  RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
  RzGroupBox1->setGeometry(8, 64, 373, 116);

  RzLabel11 = new QLabel(RzGroupBox1);
  RzLabel11->setObjectName(QStringLiteral("RzLabel11"));
  RzLabel11->setGeometry(14, 24, 348, 16);
  SetTextColour(RzLabel11, QColor(0x00, 0x80, 0x00));

  RzLabel8 = new QLabel(RzGroupBox1);
  RzLabel8->setObjectName(QStringLiteral("RzLabel8"));
  RzLabel8->setGeometry(14, 46, 348, 60);
  RzLabel8->setWordWrap(true);
  RzLabel8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetTextColour(RzLabel8, QColor(0x00, 0x00, 0x80));

  connect(RzBitBtn1, &QPushButton::clicked, this, &TFrmWangming::RzBitBtn1Click);
  connect(RzBitBtn2, &QPushButton::clicked, this, &TFrmWangming::RzBitBtn2Click);

  tongshu::CentreOnScreen(*this);
}

void TFrmWangming::RzBitBtn1Click() {
  tongshu::Guarded(services_.messages, [&] {
    const QString name = tongshu::TrimLow(edtmun->text());
    if (name.isEmpty()) {
      services_.messages.ShowInfo(QStringLiteral("请输入你的网名！"));
      return;
    }
    RzLabel11->setText(QStringLiteral("你的网名：") + name);
    try {
      const std::string trait = tongshu::netname::NetNamePersonality(tongshu::ToGbkString(name));
      RzLabel8->setText(tongshu::TrimLow(QStringLiteral("你的性格：") + QString::fromStdString(trait)));
    } catch (...) {
      RzLabel8->setText(QStringLiteral("请重新输入网名，请不要输入特殊字符！"));
    }
  });
}

void TFrmWangming::RzBitBtn2Click() { close(); }

void TFrmWangming::edtmunKeyPress(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) RzBitBtn1Click();
}

bool TFrmWangming::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtmun && event->type() == QEvent::KeyPress)
    edtmunKeyPress(static_cast<QKeyEvent*>(event)->key());
  return QWidget::eventFilter(watched, event);  // the key goes on to the box unchanged
}

void TFrmWangming::closeEvent(QCloseEvent* event) { FormClose(event); }

void TFrmWangming::FormClose(QCloseEvent* event) {
  if (FrmWangming == this) FrmWangming = nullptr;
  event->accept();
  deleteLater();
}

void OpenFrmWangming(tongshu::Services& services, QWidget* parent) {
  tongshu::OpenModal(FrmWangming, services.presenter, services, parent);
}

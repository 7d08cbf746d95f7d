#include "netname/UntWangm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QValidator>
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

#include "netname/NetName.h"
#include "services/ErrorReport.h"
#include "services/Fonts.h"
#include "services/GbkCodec.h"
#include "services/MessageSink.h"
#include "services/WidgetHelpers.h"
#include "services/WindowPresenter.h"

QPointer<TFrmWangming> FrmWangming;

namespace {

// The cursor in code points; one inside a surrogate pair counts as after it,
// one outside the text as beyond any code point.
std::size_t CodePointCursor(const QString& text, int pos) {
  if (pos < 0 || pos > text.size()) return std::u32string::npos;
  std::size_t n = 0;
  for (qsizetype i = 0; i < pos; ++i, ++n)
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
  return n;
}

int Utf16Cursor(std::u32string_view text, std::size_t cursor) {
  int pos = 0;
  for (const char32_t cp : text.substr(0, cursor)) pos += QChar::requiresSurrogates(cp) ? 2 : 1;
  return pos;
}

// Applies the net-name box's rule (LimitNetNameEdit) to each edit.
class NetNameValidator final : public QValidator {
 public:
  explicit NetNameValidator(QLineEdit* box) : QValidator(box) {
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
  }

  State validate(QString& input, int& pos) const override {
    const std::size_t cursor = CodePointCursor(input, pos);
    const auto edit = tongshu::netname::LimitNetNameEdit(tongshu::ToCodePoints(shown_), tongshu::ToCodePoints(input), cursor);
    if (!edit) return Invalid;
    input = tongshu::FromCodePoints(edit->text);
    if (edit->cursor != cursor) pos = Utf16Cursor(edit->text, edit->cursor);
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

  RzBitBtn2 = new QPushButton(QStringLiteral("关闭"), RzGroupBox2);
  RzBitBtn2->setObjectName(QStringLiteral("RzBitBtn2"));
  RzBitBtn2->setGeometry(300, 13, 62, 26);

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

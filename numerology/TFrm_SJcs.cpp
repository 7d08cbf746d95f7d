#include "TFrm_SJcs.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <exception>
#include <optional>
#include <string>

#include "ConnStr.h"
#include "ErrorReport.h"
#include "Fonts.h"
#include "MessageSink.h"
#include "MobileNumber.h"
#include "NumberText.h"
#include "Services.h"
#include "WindowPresenter.h"
#include "Database.h"
#include "WidgetHelpers.h"

QPointer<TFrm_SJcs> Frm_SJcs;

using namespace tongshu;

namespace {

constexpr int kClientWidth = 437;
constexpr int kClientHeight = 300;
constexpr int kMaxCharacters = 11;

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }
QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string Trimmed(const QString& text) { return std::string(numerology::TrimLow(Utf8(text))); }


}  // namespace

TFrm_SJcs::TFrm_SJcs(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services) {
  setObjectName(QStringLiteral("Frm_SJcs"));
  setWindowTitle(QStringLiteral("手机号码测算"));
  setFont(UiFont(kSongTi, 12));
  setFixedSize(kClientWidth, kClientHeight);

  RzLabel1 = MakeLabel(this, "RzLabel1", QStringLiteral("输入号码："), QRect(14, 19, 64, 14));
  RzLabel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  edtmun = new QLineEdit(this);
  edtmun->setObjectName(QStringLiteral("edtmun"));
  edtmun->setGeometry(82, 15, 160, 22);
  edtmun->setMaxLength(kMaxCharacters);
  // Characters only arrive through the key filter; an input method would
  // bypass it.
  edtmun->setAttribute(Qt::WA_InputMethodEnabled, false);
  edtmun->installEventFilter(this);

  RzBitBtn1 = new QPushButton(QStringLiteral("测算"), this);
  RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
  RzBitBtn1->setGeometry(254, 13, 70, 26);
  RzBitBtn2 = new QPushButton(QStringLiteral("关闭"), this);
  RzBitBtn2->setObjectName(QStringLiteral("RzBitBtn2"));
  RzBitBtn2->setGeometry(334, 13, 70, 26);

  RzLabel2 = MakeLabel(this, "RzLabel2", QStringLiteral("请注意：手机号码是11位，请正确输入。"), QRect(82, 44, 330, 14));

  RzGroupBox1 = new QGroupBox(QStringLiteral("测算结果"), this);
  RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
  RzGroupBox1->setGeometry(8, 62, 421, 176);

  constexpr int kNameX = 4, kNameWidth = 70, kValueX = 76, kValueWidth = 337, kRowHeight = 14;
  const auto nameAt = [&](const char* name, const QString& text, int y) {
    QLabel* label = MakeLabel(RzGroupBox1, name, text, QRect(kNameX, y, kNameWidth, kRowHeight));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
  };
  const auto valueAt = [&](const char* name, int y) {
    return MakeLabel(RzGroupBox1, name, QString(), QRect(kValueX, y, kValueWidth, kRowHeight));
  };
  RzLabel5 = nameAt("RzLabel5", QStringLiteral("手机号码是："), 24);
  RzLabel11 = valueAt("RzLabel11", 24);
  RzLabel4 = nameAt("RzLabel4", QStringLiteral("状态："), 46);
  RzLabel10 = valueAt("RzLabel10", 46);
  RzLabel6 = nameAt("RzLabel6", QStringLiteral("吉凶："), 68);
  RzLabel9 = valueAt("RzLabel9", 68);
  QPalette red = RzLabel9->palette();
  red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
  RzLabel9->setPalette(red);
  RzLabel7 = nameAt("RzLabel7", QStringLiteral("具体表现："), 90);
  RzLabel8 = MakeLabel(RzGroupBox1, "RzLabel8", QString(), QRect(kValueX, 90, kValueWidth, 83));
  RzLabel8->setWordWrap(true);
  RzLabel8->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  RzLabel3 = MakeLabel(this, "RzLabel3",
                       QStringLiteral("注：有些人会问，手机号码为什么会影响一个人的运势？其实这就像风水、阳宅会影响运势"
                                      "命运的意义是一样的。虽然这只是一个号码，但是它与您的生活息息相关，也代表您与所有"
                                      "人的沟通桥梁！"),
                       QRect(12, 242, 413, 56));
  RzLabel3->setWordWrap(true);
  RzLabel3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  connect(RzBitBtn1, &QPushButton::clicked, this, &TFrm_SJcs::RzBitBtn1Click);
  connect(RzBitBtn2, &QPushButton::clicked, this, &TFrm_SJcs::RzBitBtn2Click);

  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

QString TFrm_SJcs::shoujiinfostr(const QString& number) const {
  return FromUtf8(numerology::ShoujiReducedNumber(Utf8(number)));
}

void TFrm_SJcs::RzBitBtn1Click() {
  Guarded(services_.messages, [&] {
    const std::string number = Trimmed(edtmun->text());
    if (number.empty()) {
      services_.messages.ShowInfo(QStringLiteral("请输入11位手机号码！"));
      return;
    }
    // Converts (or throws to the error report) before anything is queried or
    // shown, so a bad number leaves the previous result on screen.
    const std::string reduced = numerology::ShoujiReducedNumber(number);
    std::optional<db::Record> row;
    {
      db::Query query(services_.database);
      query.setSql(numerology::ShoujiStatement(reduced));
      try {
        query.setConnectionString(DreamConnStr(services_.dataDirectory));
        query.open();
      } catch (const std::exception&) {
        // A missing directory, file, table or column is not reported.
        return;
      }
      row = query.row();
    }
    const auto value = [&](std::size_t column) {
      return row ? FromUtf8(std::string(numerology::TrimLow(row->field(column)))) : QString();
    };
    const QString title = value(0), verdict = value(1), content = value(2);
    RzLabel11->clear();
    RzLabel10->clear();
    RzLabel9->clear();
    RzLabel8->clear();
    RzLabel11->setText(FromUtf8(number));
    RzLabel10->setText(title);
    RzLabel9->setText(verdict);
    RzLabel8->setText(content);
  });
}

void TFrm_SJcs::RzBitBtn2Click() { close(); }

void TFrm_SJcs::edtmunKeyPress(char16_t& key) {
  if (key != u'\b' && key != u'\r' && (key < u'0' || key > u'9')) key = 0;
  if (key == u'\r') RzBitBtn1Click();
}

void TFrm_SJcs::FormShow() {
  if (!Trimmed(edtmun->text()).empty()) RzBitBtn1Click();
}

void TFrm_SJcs::FormClose() {
  if (Frm_SJcs == this) Frm_SJcs = nullptr;
  setAttribute(Qt::WA_DeleteOnClose);
}

bool TFrm_SJcs::eventFilter(QObject* watched, QEvent* event) {
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

void TFrm_SJcs::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Restoring a minimised window is no new showing.
  if (!event->spontaneous()) FormShow();
}

void TFrm_SJcs::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void OpenFrm_SJcs(Services& services, QWidget* parent) { OpenModal(Frm_SJcs, services.presenter, services, parent); }

#include "numerology/TFrm_SJcs.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <exception>
#include <optional>
#include <string>

#include "db/Database.h"
#include "numerology/MobileNumber.h"
#include "numerology/NumberText.h"
#include "services/ConnStr.h"
#include "services/ErrorReport.h"
#include "services/GbkCodec.h"
#include "services/MessageSink.h"
#include "services/Services.h"
#include "services/WidgetHelpers.h"
#include "services/WindowPresenter.h"

QPointer<TFrm_SJcs> Frm_SJcs;

using namespace tongshu;

namespace {

// Wider than the QQ and any-number windows, with a hint line over the results.
constexpr numerology::NumberWindowGeometry kGeometry{
    {437, 300}, 11, {14, 19, 64, 14}, {82, 15, 160, 22}, {254, 13, 70, 26}, {334, 13, 70, 26}, {8, 62, 421, 176},
    70, 76, 337, 24, 22, 83};

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The number as the reduction counts it: code page 936 bytes.
std::string Gbk(const std::string& utf8) { return ToGbkString(FromUtf8(utf8)); }

}  // namespace

TFrm_SJcs::TFrm_SJcs(Services& services, QWidget* parent)
    : NumberWindow(services,
                   {QStringLiteral("手机号码测算"), QStringLiteral("输入号码："), QStringLiteral("手机号码是：")},
                   kGeometry, parent) {
  setObjectName(QStringLiteral("Frm_SJcs"));

  RzLabel2 = MakeLabel(this, "RzLabel2", QStringLiteral("请注意：手机号码是11位，请正确输入。"), QRect(82, 44, 330, 14));

  RzLabel3 = MakeLabel(this, "RzLabel3",
                       QStringLiteral("注：有些人会问，手机号码为什么会影响一个人的运势？其实这就像风水、阳宅会影响运势"
                                      "命运的意义是一样的。虽然这只是一个号码，但是它与您的生活息息相关，也代表您与所有"
                                      "人的沟通桥梁！"),
                       QRect(12, 242, 413, 56));
  RzLabel3->setWordWrap(true);
  RzLabel3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QString TFrm_SJcs::shoujiinfostr(const QString& number) const {
  return FromUtf8(numerology::ShoujiReducedNumber(ToGbkString(number)));
}

void TFrm_SJcs::RzBitBtn1Click() {
  Guarded(services_.messages, [&] {
    const std::string number = trimmedNumber();
    if (number.empty()) {
      services_.messages.ShowInfo(QStringLiteral("请输入11位手机号码！"));
      return;
    }
    // Converts (or throws to the error report) before anything is queried or
    // shown, so a bad number leaves the previous result on screen.
    const std::string reduced = numerology::ShoujiReducedNumber(Gbk(number));
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
    showResult(FromUtf8(number), value(0), value(1), value(2));
  });
}

void TFrm_SJcs::FormShow() {
  if (!trimmedNumber().empty()) RzBitBtn1Click();
}

void TFrm_SJcs::FormClose() {
  if (Frm_SJcs == this) Frm_SJcs = nullptr;
  NumberWindow::FormClose();
}

void TFrm_SJcs::showEvent(QShowEvent* event) {
  NumberWindow::showEvent(event);
  // Restoring a minimised window is no new showing.
  if (!event->spontaneous()) FormShow();
}

void OpenFrm_SJcs(Services& services, QWidget* parent) { OpenModal(Frm_SJcs, services.presenter, services, parent); }

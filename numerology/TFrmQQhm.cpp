#include "numerology/TFrmQQhm.h"

#include "services/Services.h"
#include "services/WindowPresenter.h"

QPointer<TFrmQQhm> FrmQQhm;

TFrmQQhm::TFrmQQhm(tongshu::Services& services, QWidget* parent)
    : EightyOneNumberWindow(services,
                            {QStringLiteral("QQ号码测试"), QStringLiteral("QQ号码："), QStringLiteral("qq号码是："),
                             QStringLiteral("请输入你的QQ号码！"), 270},
                            parent) {
  setObjectName(QStringLiteral("FrmQQhm"));
}

void TFrmQQhm::FormClose() {
  if (FrmQQhm == this) FrmQQhm = nullptr;
  EightyOneNumberWindow::FormClose();
}

void OpenFrmQQhm(tongshu::Services& services, QWidget* parent) {
  tongshu::OpenModal(FrmQQhm, services.presenter, services, parent);
}

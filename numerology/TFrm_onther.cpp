#include "numerology/TFrm_onther.h"

#include "services/Services.h"
#include "services/WindowPresenter.h"

QPointer<TFrm_onther> Frm_onther;

TFrm_onther::TFrm_onther(tongshu::Services& services, QWidget* parent)
    : EightyOneNumberWindow(services,
                            {QStringLiteral("任意号码分析"), QStringLiteral("任意号码："),
                             QStringLiteral("输入号码是："), QStringLiteral("请输入你的号码！"), 271},
                            parent) {
  setObjectName(QStringLiteral("Frm_onther"));
}

void TFrm_onther::FormClose() {
  if (Frm_onther == this) Frm_onther = nullptr;
  EightyOneNumberWindow::FormClose();
}

void OpenFrm_onther(tongshu::Services& services, QWidget* parent) {
  tongshu::OpenModal(Frm_onther, services.presenter, services, parent);
}

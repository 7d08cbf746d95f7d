#pragma once
#include <QPointer>

#include "numerology/EightyOneNumberWindow.h"

// The QQ-number analysis window.
class TFrmQQhm final : public tongshu::numerology::EightyOneNumberWindow {
  Q_OBJECT

 public:
  explicit TFrmQQhm(tongshu::Services& services, QWidget* parent = nullptr);

 protected:
  void FormClose() override;
};

extern QPointer<TFrmQQhm> FrmQQhm;

// Command "QQ号码分析": frees the previous instance, opens a new one modally.
void OpenFrmQQhm(tongshu::Services& services, QWidget* parent);

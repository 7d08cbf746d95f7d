#pragma once
#include <QPointer>

#include "numerology/EightyOneNumberWindow.h"

// The any-number analysis window.
class TFrm_onther final : public tongshu::numerology::EightyOneNumberWindow {
  Q_OBJECT

 public:
  explicit TFrm_onther(tongshu::Services& services, QWidget* parent = nullptr);

 protected:
  void FormClose() override;
};

extern QPointer<TFrm_onther> Frm_onther;

// Command "更多数字分析": frees the previous instance, opens a new one modally.
void OpenFrm_onther(tongshu::Services& services, QWidget* parent);

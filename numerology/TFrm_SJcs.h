#pragma once
#include <QPointer>
#include <QString>

#include "numerology/NumberWindow.h"

// The mobile-number analysis: the last digits of the number reduced modulo
// 80 and looked up in the table shouji of dream.dll.
class TFrm_SJcs final : public tongshu::numerology::NumberWindow {
  Q_OBJECT

 public:
  explicit TFrm_SJcs(tongshu::Services& services, QWidget* parent = nullptr);

  QLabel* RzLabel2;
  QLabel* RzLabel3;

  // The reduced number of a trimmed number text, "0" to "79"; throws the
  // conversion error for fewer than eight GBK bytes or a non-digit after.
  QString shoujiinfostr(const QString& number) const;

 public slots:
  void RzBitBtn1Click() override;

 protected:
  void FormShow();
  void FormClose() override;

  void showEvent(QShowEvent* event) override;
};

extern QPointer<TFrm_SJcs> Frm_SJcs;

// Command "手机号码分析": frees the previous instance, opens a new one modally.
void OpenFrm_SJcs(tongshu::Services& services, QWidget* parent);

#pragma once
// The net-name window: a nickname in, the personality trait of its last
// letter out.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <string>

#include "services/Services.h"

class QCloseEvent;

class TFrmWangming final : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmWangming(tongshu::Services& services, QWidget* parent = nullptr);

  QGroupBox* RzGroupBox2;
  QLabel* RzLabel1;
  QLineEdit* edtmun;
  QPushButton* RzBitBtn1;
  QPushButton* RzBitBtn2;
  QGroupBox* RzGroupBox1;
  QLabel* RzLabel11;
  QLabel* RzLabel8;

 public slots:
  void RzBitBtn1Click();
  void RzBitBtn2Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void edtmunKeyPress(int key);
  void FormClose(QCloseEvent* event);

  tongshu::Services& services_;
};

extern QPointer<TFrmWangming> FrmWangming;

// "网名分析": frees an earlier instance and shows a new one modally.
void OpenFrmWangming(tongshu::Services& services, QWidget* parent);

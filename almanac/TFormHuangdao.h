#pragma once
#include <QPointer>
#include <QWidget>

#include "db/Database.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tongshu {
struct Services;
}

// The daily almanac: a date chosen in three boxes, that day's row of the
// table huangdao shown as an overview line and nine entries, and a glossary.
class TFormHuangdao final : public QWidget {
  Q_OBJECT

 public:
  explicit TFormHuangdao(tongshu::Services& services, QWidget* parent = nullptr);

  QGroupBox* RzGroupBox2;
  QLabel* RzLabel1;
  QComboBox* SYear;
  QLabel* RzLabel2;
  QComboBox* SMonth;
  QLabel* RzLabel3;
  QComboBox* Sday;
  QLabel* RzLabel4;
  QPushButton* RzBitBtn1;
  QPushButton* RzBitBtn2;
  QLabel* RzLabel5;
  QLabel* Label1;
  QGroupBox* RzGroupBox1;
  QPlainTextEdit* Memo1;
  QGroupBox* RzGroupBox3;
  QPlainTextEdit* Memo2;

  // The lookup's query; it stays open between lookups.
  const tongshu::db::Query& query() const { return ADOQuery1; }

 public slots:
  void RzBitBtn1Click();
  void RzBitBtn2Click();

 protected:
  void FormCreate();
  void FormClose();
  void closeEvent(QCloseEvent* event) override;

 private:
  tongshu::Services& services_;
  tongshu::db::Query ADOQuery1;
};

extern QPointer<TFormHuangdao> FormHuangdao;

// Command "黄道吉日": one more almanac window each time, freed when closed.
void OpenFormHuangdao(tongshu::Services& services, QWidget* parent);

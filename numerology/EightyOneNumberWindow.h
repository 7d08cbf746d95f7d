#pragma once
// The window behind both the QQ-number and the any-number analysis: a number
// box, "测算"/"关闭" and the four result rows filled from the eighty-one
// number table. The two windows differ only in the texts passed in here.
#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tongshu {
struct Services;
}

namespace tongshu::numerology {

struct EightyOneNumberTexts {
  QString caption;       // window caption
  QString inputLabel;    // RzLabel1, before the box
  QString numberLabel;   // RzLabel5, before the echoed number
  QString blankMessage;  // shown when the box is blank
  int clientHeight;      // the client area is 388 wide
};

class EightyOneNumberWindow : public QWidget {
  Q_OBJECT

 public:
  EightyOneNumberWindow(tongshu::Services& services, const EightyOneNumberTexts& texts, QWidget* parent);

  QLabel* RzLabel1;
  QLineEdit* edtmun;
  QPushButton* RzBitBtn1;
  QPushButton* RzBitBtn2;
  QGroupBox* RzGroupBox1;
  QLabel* RzLabel5;
  QLabel* RzLabel11;
  QLabel* RzLabel4;
  QLabel* RzLabel10;
  QLabel* RzLabel6;
  QLabel* RzLabel9;
  QLabel* RzLabel7;
  QLabel* RzLabel8;

 public slots:
  void RzBitBtn1Click();
  void RzBitBtn2Click();

 protected:
  // Filters a character typed into the box; sets key to 0 to discard it.
  void edtmunKeyPress(char16_t& key);
  // Sets the close action to free the window; subclasses also clear their
  // global reference.
  virtual void FormClose();

  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  tongshu::Services& services_;
  QString blankMessage_;
};

}  // namespace tongshu::numerology

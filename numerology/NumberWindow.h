#pragma once
// What the mobile, QQ-number and any-number windows share: a number box that
// takes digits only, "测算"/"关闭", and the group of four result rows (the
// number, its status, its verdict in red, its description). Each window
// places them at its own geometry and runs its own analysis.
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tongshu {
struct Services;
}

namespace tongshu::numerology {

struct NumberWindowTexts {
  QString caption;
  QString inputLabel;   // RzLabel1, before the box
  QString numberLabel;  // RzLabel5, before the echoed number
};

struct NumberWindowGeometry {
  QSize client;
  int maxLength;  // of the box, in characters
  QRect inputLabel, box, analyse, close, group;
  // The result rows inside the group: names right-aligned before values.
  int nameWidth, valueX, valueWidth, firstRowY, rowPitch, descriptionHeight;
};

class NumberWindow : public QWidget {
  Q_OBJECT

 public:
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
  // The analysis, run by "测算", by Enter in the box and by the windows that
  // analyse on showing.
  virtual void RzBitBtn1Click() = 0;
  void RzBitBtn2Click();

 protected:
  NumberWindow(tongshu::Services& services, const NumberWindowTexts& texts, const NumberWindowGeometry& layout,
               QWidget* parent);

  // Filters a character typed into the box; sets key to 0 to discard it.
  void edtmunKeyPress(char16_t& key);
  // Sets the close action to free the window; subclasses also clear their
  // global reference.
  virtual void FormClose();

  // The box's text without leading and trailing blanks, in UTF-8.
  std::string trimmedNumber() const;
  // Clears the four values, then shows the new ones.
  void showResult(const QString& number, const QString& status, const QString& verdict,
                  const QString& description);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  tongshu::Services& services_;
};

}  // namespace tongshu::numerology

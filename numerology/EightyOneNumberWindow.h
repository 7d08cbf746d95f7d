#pragma once
// The window behind both the QQ-number and the any-number analysis: the
// number reduced modulo 81 onto the eighty-one number table. The two windows
// differ only in the texts passed in here.
#include <QString>

#include "numerology/NumberWindow.h"

namespace tongshu::numerology {

struct EightyOneNumberTexts {
  QString caption;       // window caption
  QString inputLabel;    // RzLabel1, before the box
  QString numberLabel;   // RzLabel5, before the echoed number
  QString blankMessage;  // shown when the box is blank
  int clientHeight;      // the client area is 388 wide
};

class EightyOneNumberWindow : public NumberWindow {
  Q_OBJECT

 public:
  EightyOneNumberWindow(tongshu::Services& services, const EightyOneNumberTexts& texts, QWidget* parent);

 public slots:
  void RzBitBtn1Click() override;

 private:
  QString blankMessage_;
};

}  // namespace tongshu::numerology

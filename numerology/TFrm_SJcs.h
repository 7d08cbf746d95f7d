#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tongshu {
struct Services;
}

// The mobile-number analysis: the last digits of the number reduced modulo
// 80 and looked up in the table shouji of dream.dll.
class TFrm_SJcs final : public QWidget {
  Q_OBJECT

 public:
  explicit TFrm_SJcs(tongshu::Services& services, QWidget* parent = nullptr);

  QLabel* RzLabel1;
  QLineEdit* edtmun;
  QPushButton* RzBitBtn1;
  QPushButton* RzBitBtn2;
  QLabel* RzLabel2;
  QGroupBox* RzGroupBox1;
  QLabel* RzLabel5;
  QLabel* RzLabel11;
  QLabel* RzLabel4;
  QLabel* RzLabel10;
  QLabel* RzLabel6;
  QLabel* RzLabel9;
  QLabel* RzLabel7;
  QLabel* RzLabel8;
  QLabel* RzLabel3;

  // The reduced number of a trimmed number text, "0" to "79"; throws the
  // conversion error for fewer than eight characters or a non-digit after.
  QString shoujiinfostr(const QString& number) const;

 public slots:
  void RzBitBtn1Click();
  void RzBitBtn2Click();

 protected:
  // Filters a character typed into the box; sets key to 0 to discard it.
  void edtmunKeyPress(char16_t& key);
  void FormShow();
  void FormClose();

  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  tongshu::Services& services_;
};

extern QPointer<TFrm_SJcs> Frm_SJcs;

// Command "手机号码分析": frees the previous instance, opens a new one modally.
void OpenFrm_SJcs(tongshu::Services& services, QWidget* parent);

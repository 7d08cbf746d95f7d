#pragma once
#include <QPointer>
#include <QWidget>

#include "services/Services.h"

class QLabel;
class QPlainTextEdit;
class QStackedWidget;

// Seven fixed pages of omens by the double hour; the caller picks the page and
// the user cannot switch.
class TFormOnther final : public QWidget {
  Q_OBJECT

 public:
  explicit TFormOnther(QWidget* parent = nullptr);

  // The shown page, or -1 when none is selected.
  int activePageIndex() const;
  void setActivePage(int pageIndex);

 public slots:
  void FormClose();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QStackedWidget* m_pages = nullptr;
  QWidget* m_noPage = nullptr;
};

extern QPointer<TFormOnther> FormOnther;

// Opens one more omen window with the given caption on the given page.
void ShowOmenWindow(tongshu::Services& services, QWidget* parent, const QString& title, int pageIndex);

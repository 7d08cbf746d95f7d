#include "services/MessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "services/AppTitle.h"

namespace tongshu {
namespace {

// Modal over the active window; that window is active again afterwards.
void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QPointer<QWidget> previous = QApplication::activeWindow();
  QMessageBox box(icon, caption, text, QMessageBox::Ok, previous);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  if (previous) {
    previous->activateWindow();
    previous->raise();
  }
}

}  // namespace

void QtMessageSink::ShowInfo(const QString& text) {
  ShowBox(QMessageBox::Information, QString::fromUtf16(kInfoCaption), text);
}

void QtMessageSink::ShowError(const QString& text) {
  ShowBox(QMessageBox::Critical, kAppTitle, text);
}

}  // namespace tongshu

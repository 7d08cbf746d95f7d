#include "services/MessageSink.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QSpacerItem>

#include "services/AppTitle.h"
#include "services/Fonts.h"

namespace tongshu {
namespace {

// Room a window manager's title bar takes beside the caption: the window's
// icon and up to three buttons, with their spacing, in the common themes.
constexpr int kTitleBarRoom = 128;

// A message box at least as wide as its title bar needs to show the whole
// caption: Qt leaves only 50 px beside it, and over a short message such as
// "请选择年!" the window manager cuts "提示" down to an ellipsis. The box sizes
// itself to its layout's minimum, so the layout gets a row of that width.
void KeepRoomForCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
  titleFont.setBold(true);
  const QMargins margins = grid->contentsMargins();
  const int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarRoom -
                     margins.left() - margins.right();
  grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                grid->columnCount());
}

// Modal over the active window; that window is active again afterwards.
void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QPointer<QWidget> previous = QApplication::activeWindow();
  QMessageBox box(icon, caption, text, QMessageBox::Ok, previous);
  // The windows' 宋体, not the platform's sans with another face for Chinese.
  box.setFont(UiFont(kSongTi, 12));
  KeepRoomForCaption(box);
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

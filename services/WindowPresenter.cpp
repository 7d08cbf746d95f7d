#include "services/WindowPresenter.h"

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>

namespace tongshu {
namespace {

class QuitOnHide final : public QObject {
 public:
  explicit QuitOnHide(QEventLoop& loop) : loop_(loop) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) loop_.quit();
    return false;
  }

 private:
  QEventLoop& loop_;
};

QMargins FrameMargins(const QWidget& w) {
  const QRect inner = w.geometry();
  const QRect outer = w.frameGeometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

// Places the frame, taking the margins the window manager gave it or, before
// it has any, those of the window it opens over.
void PlaceFrame(QWidget& w, const QMargins& margins) {
  const QScreen* screen = w.screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QSize frame = w.size().grownBy(margins);
  w.move(area.topLeft() + QPoint((area.width() - frame.width()) / 2, (area.height() - frame.height()) / 2));
}

// Centres the window again whenever its frame margins change, until the
// window manager has given it a frame; a move by the user leaves the margins
// as they are and is kept.
class FrameCentring final : public QObject {
 public:
  FrameCentring(QWidget& window, const QMargins& guess) : QObject(&window), window_(window), used_(guess) {
    window.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Move && event->type() != QEvent::Resize && event->type() != QEvent::Show)
      return false;
    if (!window_.isVisible()) return false;
    const QMargins margins = FrameMargins(window_);
    if (margins.isNull()) return false;
    if (margins != used_) {
      used_ = margins;
      PlaceFrame(window_, margins);
    }
    window_.removeEventFilter(this);
    deleteLater();
    return false;
  }

 private:
  QWidget& window_;
  QMargins used_;
};

}  // namespace

void CentreOnScreen(QWidget& window) {
  QMargins guess = FrameMargins(window);
  if (guess.isNull() && window.parentWidget() && window.parentWidget()->window()->isVisible())
    guess = FrameMargins(*window.parentWidget()->window());
  PlaceFrame(window, guess);
  new FrameCentring(window, guess);
}

void QtWindowPresenter::showModal(QWidget& window) {
  QPointer<QWidget> guard(&window);
  window.setWindowModality(Qt::ApplicationModal);
  // A modal window belongs to the window it was opened from, so that a
  // window manager keeps the two together: minimised on its own, it would
  // leave the program blocked with nothing on screen. Windows makes every
  // window with a parent an owned one; X11 marks dialogs only.
  if (window.parentWidget() && QGuiApplication::platformName() == QLatin1String("xcb"))
    window.setWindowFlag(Qt::Dialog);
  QEventLoop loop;
  QuitOnHide filter(loop);
  window.installEventFilter(&filter);
  QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window.show();
  if (window.isVisible()) loop.exec(QEventLoop::DialogExec);
  if (guard) guard->removeEventFilter(&filter);
}

void QtWindowPresenter::showNonModal(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace tongshu

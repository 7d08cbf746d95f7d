#include "WindowPresenter.h"

#include <QEvent>
#include <QEventLoop>

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

}  // namespace

void QtWindowPresenter::showModal(QWidget& window) {
  QPointer<QWidget> guard(&window);
  window.setWindowModality(Qt::ApplicationModal);
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

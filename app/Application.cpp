#include "app/Application.h"

#include <exception>

#include "services/MessageSink.h"

namespace tongshu {

TongshuApplication::TongshuApplication(int& argc, char** argv, MessageSink& sink)
    : QApplication(argc, argv), sink_(sink) {}

bool TongshuApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    reportLater(QString::fromUtf8(e.what()));
  } catch (...) {
    reportLater(QStringLiteral("发生未知错误。"));
  }
  return false;
}

void TongshuApplication::reportLater(const QString& text) {
  QMetaObject::invokeMethod(this, [this, text] { sink_.ShowError(text); }, Qt::QueuedConnection);
}

}  // namespace tongshu

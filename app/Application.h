#pragma once
#include <QApplication>

namespace tongshu {

class MessageSink;

// The last net of the general error report: an exception that escapes an event
// handler is shown and the event loop goes on.
class TongshuApplication final : public QApplication {
 public:
  TongshuApplication(int& argc, char** argv, MessageSink& sink);
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  // The box runs a modal loop of its own; opened inside notify() it would
  // deliver further events while the failing one is still being delivered,
  // so the report waits until that event has returned.
  void reportLater(const QString& text);

  MessageSink& sink_;
};

}  // namespace tongshu

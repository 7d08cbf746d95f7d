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
  MessageSink& sink_;
};

}  // namespace tongshu

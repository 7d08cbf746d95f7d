// The last net of the error report needs its own QApplication subclass, so this
// test program makes the application itself.
#include <gtest/gtest.h>

#include <QEvent>
#include <QTimer>
#include <stdexcept>

#include "Application.h"
#include "Fakes.h"

namespace {

tongshu::testing::RecordingMessageSink* g_sink = nullptr;

struct Throwing : QObject {
  int handled = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("数据文件无法打开");
    if (e->type() == QEvent::User + 1) {
      ++handled;
      return true;
    }
    return QObject::event(e);
  }
};

}  // namespace

TEST(TongshuApplication, ExceptionFromAHandlerIsReportedAndTheLoopGoesOn) {
  Throwing target;
  QEvent boom(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&target, &boom));
  ASSERT_EQ(g_sink->errors.size(), 1);
  EXPECT_EQ(g_sink->errors[0], QStringLiteral("数据文件无法打开"));

  // A posted event that throws inside the running loop, then a normal one.
  QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&target, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
  QTimer::singleShot(50, [] { QCoreApplication::exit(7); });
  EXPECT_EQ(QCoreApplication::exec(), 7);
  EXPECT_EQ(g_sink->errors.size(), 2);
  EXPECT_EQ(target.handled, 1);
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  tongshu::testing::RecordingMessageSink sink;
  g_sink = &sink;
  tongshu::TongshuApplication app(argc, argv, sink);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

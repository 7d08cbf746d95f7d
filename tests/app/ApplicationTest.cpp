// The last net of the error report needs its own QApplication subclass, so this
// test program makes the application itself.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "app/Application.h"
#include "app/Startup.h"
#include "tests/support/Fakes.h"

namespace {

// Records whether each report came while an event was still being sent.
struct ReportWatch final : tongshu::MessageSink {
  QStringList errors;
  bool sending = false;
  std::vector<bool> reportedWhileSending;
  void ShowInfo(const QString&) override {}
  void ShowError(const QString& text) override {
    reportedWhileSending.push_back(sending);
    errors << text;
  }
  void clear() {
    errors.clear();
    reportedWhileSending.clear();
  }
};

ReportWatch* g_sink = nullptr;

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
  g_sink->clear();
  Throwing target;
  QEvent boom(QEvent::User);
  g_sink->sending = true;
  EXPECT_FALSE(QCoreApplication::sendEvent(&target, &boom));
  g_sink->sending = false;
  // The box is a modal loop of its own: it comes once the failed event has
  // returned, never while it is being delivered.
  EXPECT_TRUE(g_sink->errors.isEmpty());
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(g_sink->reportedWhileSending, std::vector<bool>{false});
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

// Qt's own texts in Chinese when the translation file is there, and Qt's
// English ones, with nothing else amiss, when it is not.
TEST(QtTranslations, BoxButtonAndEditMenuInChineseOrEnglishWithoutTheFile) {
  const auto texts = [] {
    QMessageBox box(QMessageBox::Information, QStringLiteral("提示"), QStringLiteral("x"), QMessageBox::Ok);
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList out{box.button(QMessageBox::Ok)->text()};
    for (QAction* a : menu->actions())
      if (!a->isSeparator()) out << a->text().section(u'\t', 0, 0);
    return out;
  };
  const QStringList english = texts();
  ASSERT_EQ(english.value(0), QStringLiteral("OK"));

  QTemporaryDir empty;
  EXPECT_FALSE(tongshu::InstallQtTranslations(*qApp, empty.path()));
  EXPECT_FALSE(tongshu::InstallQtTranslations(*qApp, QStringLiteral("/nonexistent/translations")));
  EXPECT_EQ(texts(), english);

  ASSERT_TRUE(tongshu::InstallQtTranslations(*qApp, tongshu::QtTranslationsDirectory()))
      << "qtbase_zh_CN.qm missing from " << tongshu::QtTranslationsDirectory().toStdString()
      << " (Debian package qt6-translations-l10n)";
  EXPECT_EQ(texts(), (QStringList{"确定", "撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除", "全选"}));
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ReportWatch sink;
  g_sink = &sink;
  tongshu::TongshuApplication app(argc, argv, sink);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

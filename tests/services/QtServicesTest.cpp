#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <utility>

#include "services/ApplicationStyle.h"
#include "services/ErrorReport.h"
#include "services/Fonts.h"
#include "services/GbkCodec.h"
#include "services/WindowPresenter.h"
#include "tests/support/Fakes.h"
#include "tests/support/SameFont.h"

using namespace tongshu;
using tongshu::testing::RecordingMessageSink;
using tongshu::testing::RecordingPresenter;

TEST(GbkCodec, EncodesAndDecodesKnownCharacters) {
  struct Case {
    QString text;
    QByteArray gbk;
  };
  const Case cases[] = {
      {QStringLiteral("中国"), QByteArray("\xD6\xD0\xB9\xFA")},
      {QStringLiteral("吉星通书"), QByteArray("\xBC\xAA\xD0\xC7\xCD\xA8\xCA\xE9")},
      {QStringLiteral("abc-12"), QByteArray("abc-12")},
      {QStringLiteral("Ａ１"), QByteArray("\xA3\xC1\xA3\xB1")},
      {QStringLiteral("⑿"), QByteArray("\xA2\xD0")},
      {QStringLiteral("Φ"), QByteArray("\xA6\xB5")},
      {QStringLiteral("嘸"), QByteArray("\x87\x60")},  // outside GB2312, inside GBK
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToGbk(c.text), c.gbk) << c.text.toStdString();
    EXPECT_EQ(FromGbk(c.gbk), c.text) << c.text.toStdString();
  }
}

TEST(GbkCodec, EveryPositionOfSomeRowsRoundTrips) {
  for (const int lead : {0x81, 0xB0, 0xD7, 0xF7, 0xFE}) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      QByteArray bytes;
      bytes.append(static_cast<char>(lead)).append(static_cast<char>(trail));
      const QString text = FromGbk(bytes);
      if (text == QStringLiteral("\uFFFD")) continue;  // unassigned position
      ASSERT_EQ(text.size(), 1) << std::hex << lead << ' ' << trail;
      EXPECT_EQ(ToGbk(text), bytes) << std::hex << lead << ' ' << trail;
    }
  }
}

TEST(GbkCodec, LengthCountsUnencodableCharactersAsTheirQuestionMarks) {
  EXPECT_EQ(GbkLength(QStringLiteral("小明")), 4);
  EXPECT_EQ(GbkLength(QStringLiteral("ab")), 2);
  EXPECT_EQ(GbkLength(QString::fromUtf8("a\xF0\x9F\x98\x80")), 3);  // an emoji: one code point, two bytes
  EXPECT_EQ(GbkLength(QStringLiteral("a\u0E01")), 2);                 // Thai: one unit, one byte
  EXPECT_TRUE(GbkEncodable(U'中'));
  EXPECT_FALSE(GbkEncodable(U'\U0001F600'));
  EXPECT_FALSE(GbkEncodable(U'\u0E01'));  // Thai
}

// What every box holds of a typed or pasted text: code page 936's own
// characters, a "?" for each UTF-16 unit of anything else.
TEST(GbkCodec, TextAsCodePage936HoldsIt) {
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("中国 €Ａ⑿"), QStringLiteral("中国 €Ａ⑿")},
      {QString::fromUtf8("12\xF0\x9F\x98\x80"), QStringLiteral("12??")},  // an emoji
      {QStringLiteral("\u0E01\u200F1"), QStringLiteral("??1")},               // Thai, a direction mark
      {QStringLiteral("1") + QChar(0xD800) + QChar(u'\0'), QStringLiteral("1?") + QChar(u'\0')},
  };
  for (const auto& [typed, held] : cases) EXPECT_EQ(Cp936Text(typed), held) << typed.toStdString();
}

TEST(Guarded, ShowsTheFailuresOwnTextAndReturns) {
  RecordingMessageSink sink;
  bool after = false;
  Guarded(sink, [] { throw std::runtime_error("'12a' is not a valid integer value"); });
  Guarded(sink, [] { throw 42; });
  Guarded(sink, [&] { after = true; });
  ASSERT_EQ(sink.errors.size(), 2);
  EXPECT_EQ(sink.errors[0], QStringLiteral("'12a' is not a valid integer value"));
  EXPECT_FALSE(sink.errors[1].isEmpty());
  EXPECT_TRUE(after);
  EXPECT_TRUE(sink.infos.isEmpty());
}

namespace {
struct Probe : QWidget {
  static inline int alive = 0;
  Probe() { ++alive; }
  ~Probe() override { --alive; }
};
}  // namespace

TEST(WindowOpening, ModalFreesThePreviousInstanceNonModalKeepsIt) {
  RecordingPresenter presenter;
  QPointer<Probe> ref;
  Probe* first = OpenModal(ref, presenter);
  QPointer<Probe> firstGuard(first);
  Probe* second = OpenModal(ref, presenter);
  EXPECT_TRUE(firstGuard.isNull());
  EXPECT_EQ(ref.data(), second);
  EXPECT_EQ(Probe::alive, 1);
  delete ref.data();
  EXPECT_TRUE(ref.isNull());

  QPointer<Probe> tool;
  Probe* a = OpenNonModal(tool, presenter);
  Probe* b = OpenNonModal(tool, presenter);
  EXPECT_EQ(Probe::alive, 2);
  EXPECT_EQ(tool.data(), b);
  EXPECT_EQ(presenter.nonModal.size(), 2u);
  b->close();  // frees itself
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(tool.isNull());
  EXPECT_EQ(Probe::alive, 1);
  a->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Probe::alive, 0);
}

TEST(WindowOpening, RealModalPresenterReturnsWhenTheWindowCloses) {
  QtWindowPresenter presenter;
  QPointer<Probe> ref;
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    ASSERT_FALSE(ref.isNull());
    wasModal = ref->isVisible() && QApplication::activeModalWidget() == ref.data();
    ref->close();
  });
  OpenModal(ref, presenter);
  EXPECT_TRUE(wasModal);
  ASSERT_FALSE(ref.isNull());  // closing hides; the next opening frees it
  EXPECT_FALSE(ref->isVisible());
  delete ref.data();
}

TEST(QtMessageSink, InfoBoxIsModalWithCaptionIconAndOneButtonThenReactivatesTheWindow) {
  QWidget owner;
  owner.setWindowTitle(QStringLiteral("owner"));
  owner.show();
  owner.activateWindow();
  QApplication::setActiveWindow(&owner);
  struct Seen {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool modal = false;
  };
  auto inspect = [](Seen& seen) {
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
              box->isModal()};
      box->button(QMessageBox::Ok)->click();
    });
  };
  tongshu::QtMessageSink sink;
  Seen info, error;
  inspect(info);
  sink.ShowInfo(QStringLiteral("请选择年!"));
  EXPECT_EQ(info.caption, QStringLiteral("提示"));
  EXPECT_EQ(info.text, QStringLiteral("请选择年!"));
  EXPECT_EQ(info.icon, QMessageBox::Information);
  EXPECT_EQ(info.buttons, 1);
  EXPECT_TRUE(info.modal);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&owner, 1000));

  inspect(error);
  sink.ShowError(QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(error.text, QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(error.icon, QMessageBox::Critical);
  EXPECT_EQ(error.buttons, 1);
}

// The box's text and button in the windows' 宋体, Latin and Chinese alike.
TEST(QtMessageSink, BoxTextIsInSongTi) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_TRUE(tongshu::testing::LooksTheSameIn(*box, UiFont(kSongTi, 12)));
    box->close();
  });
  tongshu::QtMessageSink().ShowInfo(QStringLiteral("请选择年! OK"));
  EXPECT_TRUE(seen);
}

// The extension arrows come late but look as the platform style draws them;
// every other icon comes from that style unchanged.
TEST(ApplicationStyle, IconsLookAsThePlatformStyleDrawsThem) {
  ApplicationStyle style;
  const std::unique_ptr<QStyle> plain(QStyleFactory::create(style.baseStyle()->name()));
  ASSERT_NE(plain, nullptr);
  for (const QStyle::StandardPixmap which :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
        QStyle::SP_DialogOkButton, QStyle::SP_MessageBoxWarning}) {
    SCOPED_TRACE(static_cast<int>(which));
    const QIcon late = style.standardIcon(which);
    const QIcon wanted = plain->standardIcon(which);
    ASSERT_FALSE(late.isNull());
    EXPECT_EQ(late.availableSizes(), wanted.availableSizes());
    for (const int size : {8, 16, 32, 48}) {
      const QImage got = late.pixmap(size, size).toImage();
      EXPECT_FALSE(got.isNull());
      EXPECT_TRUE(got == wanted.pixmap(size, size).toImage()) << size;
    }
  }
}

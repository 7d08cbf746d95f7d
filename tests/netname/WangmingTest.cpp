#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "netname/NetName.h"
#include "netname/UntWangm.h"
#include "services/GbkCodec.h"
#include "tests/support/Fakes.h"


namespace {

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // 😀, outside GBK
const QString kBeyondGbk = QString::fromUtf8("\xF0\xA0\x80\x80");  // 𠀀, CJK extension B

QString Trait(char letter) {
  return QString::fromStdString(tongshu::netname::TraitOfLetter(std::string(1, letter)));
}

class WangmingWindow : public ::testing::Test {
 protected:
  tongshu::testing::FakeServices fakes;
  std::unique_ptr<TFrmWangming> window = std::make_unique<TFrmWangming>(fakes.services);

  // The box as a user fills it: typed text goes through the box's checks.
  void Enter(const QString& text) {
    window->edtmun->clear();
    window->edtmun->insert(text);
  }
  void Analyse(const QString& text) {
    Enter(text);
    QTest::mouseClick(window->RzBitBtn1, Qt::LeftButton);
  }
  QString NameLine() const { return window->RzLabel11->text(); }
  QString TraitLine() const { return window->RzLabel8->text(); }
};

TEST_F(WangmingWindow, StartsEmptyWithItsTexts) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("网名与性格"));
  EXPECT_EQ(window->RzLabel1->text(), QStringLiteral("输入网名："));
  EXPECT_EQ(window->RzBitBtn1->text(), QStringLiteral("测算"));
  EXPECT_EQ(window->RzBitBtn2->text(), QStringLiteral("关闭"));
  EXPECT_EQ(window->RzGroupBox1->title(), QStringLiteral("测算结果"));
  EXPECT_EQ(window->RzGroupBox2->title(), QString());
  EXPECT_TRUE(NameLine().isEmpty());
  EXPECT_TRUE(TraitLine().isEmpty());
  EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_NE(window->findChild<QLineEdit*>(QStringLiteral("edtmun")), nullptr);
}

struct ShownCase {
  const char* typed;
  const char* nameLine;
  char trait;  // 0: the trait line is "你的性格：" alone
};

TEST_F(WangmingWindow, ShowsTheNameAndTheTraitOfItsLastLetter) {
  const ShownCase cases[] = {
      {"小明", "小明", 'm'},       {"王芳", "王芳", 'f'},       {"ABC", "ABC", 'c'},
      {"ABC!", "ABC!", 'c'},      {"ABC3", "ABC3", 'c'},      {"2010", "2010", 'j'},
      {"小明给", "小明给", 0},     {"小明★", "小明★", 0},     {"小明ａ", "小明ａ", 'a'},
      {"小明Φ", "小明Φ", 'h'},     {"小明⑿", "小明⑿", 'b'},    {"!?.,", "!?.,", 0},
      {"  王芳  ", "王芳", 'f'},   {"\t abc \t", "ABC", 'c'},  {"a b", "A B", 'b'},
      {"小明　", "小明　", 0},  // the ideographic space is not trimmed and has no letter
  };
  for (const ShownCase& c : cases) {
    Analyse(QString::fromUtf8(c.typed));
    EXPECT_EQ(NameLine(), QStringLiteral("你的网名：") + QString::fromUtf8(c.nameLine)) << c.typed;
    EXPECT_EQ(TraitLine(), QStringLiteral("你的性格：") + (c.trait ? Trait(c.trait) : QString())) << c.typed;
  }
  EXPECT_TRUE(fakes.messages.infos.isEmpty());
  EXPECT_TRUE(fakes.messages.errors.isEmpty());
}

TEST_F(WangmingWindow, WangFangShowsItsTraitText) {
  Analyse(QStringLiteral("王芳"));
  EXPECT_EQ(TraitLine(), QStringLiteral("你的性格：有抱负，志气高"));
}

// Typed key by key, each UTF-16 unit of a character code page 936 cannot
// encode is a "?" in the box and in the name line; a "?" is punctuation to
// the converter, so the letter before it decides.
TEST_F(WangmingWindow, CharactersOutsideGbkBecomeQuestionMarks) {
  const struct {
    QString tail, shown;
  } cases[] = {{kEmoji, QStringLiteral("??")}, {kBeyondGbk, QStringLiteral("??")}, {QStringLiteral("ก"), QStringLiteral("?")}};
  window->show();
  for (const auto& c : cases) {
    window->edtmun->clear();
    QTest::keyClicks(window->edtmun, QStringLiteral("xm"));
    QTest::sendKeyEvent(QTest::Click, window->edtmun, Qt::Key_unknown, c.tail, Qt::NoModifier);
    EXPECT_EQ(window->edtmun->text(), QStringLiteral("XM") + c.shown);
    QTest::keyClick(window->edtmun, Qt::Key_Return);
    EXPECT_EQ(NameLine(), QStringLiteral("你的网名：XM") + c.shown);
    EXPECT_EQ(TraitLine(), QStringLiteral("你的性格：") + Trait('m'));
  }
}

TEST_F(WangmingWindow, BlankBoxAsksForANameAndKeepsTheResult) {
  Analyse(QStringLiteral("王芳"));
  const QString name = NameLine();
  const QString trait = TraitLine();
  for (const QString& blank : {QString(), QStringLiteral("   "), QStringLiteral("\t")}) {
    fakes.messages.clear();
    Analyse(blank);
    EXPECT_EQ(fakes.messages.infos, QStringList{QStringLiteral("请输入你的网名！")});
    EXPECT_EQ(NameLine(), name);
    EXPECT_EQ(TraitLine(), trait);
  }
}

TEST_F(WangmingWindow, EnterRunsTheAnalysisAndReachesTheBox) {
  window->show();
  window->edtmun->setFocus();
  QTest::keyClicks(window->edtmun, QStringLiteral("xm"));
  QSignalSpy returned(window->edtmun, &QLineEdit::returnPressed);
  QTest::keyClick(window->edtmun, Qt::Key_Return);
  EXPECT_EQ(NameLine(), QStringLiteral("你的网名：XM"));
  EXPECT_EQ(TraitLine(), QStringLiteral("你的性格：") + Trait('m'));
  EXPECT_EQ(returned.count(), 1);  // the key was passed on
  EXPECT_EQ(window->edtmun->text(), QStringLiteral("XM"));

  QTest::keyClicks(window->edtmun, QStringLiteral("3"));
  QTest::keyClick(window->edtmun, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(NameLine(), QStringLiteral("你的网名：XM3"));
  EXPECT_EQ(TraitLine(), QStringLiteral("你的性格：") + Trait('c'));
}

TEST_F(WangmingWindow, TypedLettersAreUpperCased) {
  window->show();
  QTest::keyClicks(window->edtmun, QStringLiteral("abz"));
  EXPECT_EQ(window->edtmun->text(), QStringLiteral("ABZ"));
  window->edtmun->insert(QStringLiteral("ｑé"));  // only ASCII letters change
  EXPECT_EQ(window->edtmun->text(), QStringLiteral("ABZｑé"));
}

TEST_F(WangmingWindow, BoxHoldsEighteenGbkBytes) {
  Enter(QStringLiteral("一二三四五六七八九"));
  EXPECT_EQ(window->edtmun->text().size(), 9);
  window->edtmun->insert(QStringLiteral("A"));
  EXPECT_EQ(window->edtmun->text(), QStringLiteral("一二三四五六七八九"));

  Enter(QString(17, u'A'));
  window->edtmun->insert(QStringLiteral("中"));
  EXPECT_EQ(window->edtmun->text(), QString(17, u'A'));
  window->edtmun->insert(QStringLiteral("B"));
  EXPECT_EQ(window->edtmun->text(), QString(17, u'A') + u'B');

  // A character beyond the BMP that GBK cannot encode is two "?"s.
  Enter(QStringLiteral("一二三四五六七八") + kEmoji);
  EXPECT_EQ(window->edtmun->text(), QStringLiteral("一二三四五六七八??"));
  window->edtmun->insert(QStringLiteral("A"));
  EXPECT_EQ(window->edtmun->text(), QStringLiteral("一二三四五六七八??"));
}

// A paste that would pass 18 bytes is cut to the whole characters that fit,
// wherever the cursor stands; the euro sign is one byte of code page 936.
TEST_F(WangmingWindow, ALongPasteIsCutToEighteenGbkBytes) {
  struct Case {
    QString before;
    int cursor;
    QString pasted;
    QString after;
  };
  const Case cases[] = {
      {"", 0, "一二三四五六七八九十", "一二三四五六七八九"},
      {"", 0, "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQR"},
      {"A", 1, "一二三四五六七八九", "A一二三四五六七八"},  // 17 bytes: the ninth would split
      {"AB", 1, "一二三四五六七八九", "A一二三四五六七八B"},
      {"一二三四五六七", 7, "八九十", "一二三四五六七八九"},
      {"", 0, QString(20, QChar(0x20AC)), QString(18, QChar(0x20AC))},
      // Two "?"s each for characters beyond GBK and the BMP.
      {"", 0, QString(12, u'A') + kEmoji + kEmoji + kEmoji + kEmoji, QString(12, u'A') + QString(6, u'?')},
      {"一二三四五六七八九", 9, "A", "一二三四五六七八九"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted.toStdString());
    Enter(c.before);
    window->edtmun->setCursorPosition(c.cursor);
    QApplication::clipboard()->setText(c.pasted);
    window->edtmun->paste();  // what the box's menu item 粘贴 does
    EXPECT_EQ(window->edtmun->text(), c.after);
    EXPECT_LE(tongshu::GbkLength(window->edtmun->text()), 18);
  }
  // Typed key by key, the box stops at the limit too.
  Enter(QString());
  QTest::keyClicks(window->edtmun, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
  EXPECT_EQ(window->edtmun->text(), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
}

// Characters outside the BMP become two "?"s, as many as their UTF-16 units:
// the cursor still ends after the kept part of a paste.
TEST_F(WangmingWindow, TheCursorFollowsTheKeptPartOfAPaste) {
  const QString emojis = kEmoji + kEmoji + kEmoji + kEmoji;
  Enter(emojis + QStringLiteral("AB"));
  window->edtmun->setCursorPosition(8);
  QApplication::clipboard()->setText(QStringLiteral("一二三四五六七"));
  window->edtmun->paste();
  EXPECT_EQ(window->edtmun->text(), QString(8, u'?') + QStringLiteral("一二三四AB"));
  EXPECT_EQ(window->edtmun->cursorPosition(), 12);
}

TEST_F(WangmingWindow, CloseClearsTheReferenceAndFreesTheWindow) {
  TFrmWangming* raw = window.release();
  FrmWangming = raw;
  raw->show();
  QPointer<TFrmWangming> watch(raw);
  QTest::mouseClick(raw->RzBitBtn2, Qt::LeftButton);
  EXPECT_TRUE(FrmWangming.isNull());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watch.isNull());
}

TEST(OpenFrmWangming, FreesThePreviousInstanceAndShowsModally) {
  tongshu::testing::FakeServices fakes;
  OpenFrmWangming(fakes.services, nullptr);
  QPointer<TFrmWangming> first = FrmWangming;
  ASSERT_FALSE(first.isNull());
  OpenFrmWangming(fakes.services, nullptr);
  EXPECT_TRUE(first.isNull());
  ASSERT_FALSE(FrmWangming.isNull());
  ASSERT_EQ(fakes.presenter.modal.size(), 2u);
  EXPECT_EQ(fakes.presenter.modal.back(), FrmWangming.data());
  EXPECT_TRUE(fakes.presenter.nonModal.empty());
  delete FrmWangming.data();
}

TEST(WangmingGbk, EncodesGbkAndMarksTheRest) {
  EXPECT_EQ(tongshu::ToGbkString(QStringLiteral("A中")), "A\xD6\xD0");
  EXPECT_EQ(tongshu::ToGbkString(QStringLiteral("ａΦ⑿")), "\xA3\xE1\xA6\xB5\xA2\xD0");
  EXPECT_EQ(tongshu::ToGbkString(QStringLiteral("?")), "?");
  EXPECT_EQ(tongshu::ToGbkString(kEmoji + QStringLiteral("A") + kBeyondGbk), "??A??");
}

}  // namespace

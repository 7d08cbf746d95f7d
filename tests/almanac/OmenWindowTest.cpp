#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>

#include "almanac/OmenPages.h"
#include "almanac/TFormOnther.h"
#include "tests/support/Fakes.h"

using tongshu::testing::FakeServices;

namespace {

QStringList MemoLines(const TFormOnther& w, const char* memo) {
  auto* m = w.findChild<QPlainTextEdit*>(QString::fromLatin1(memo));
  EXPECT_NE(m, nullptr) << memo;
  return m ? m->toPlainText().split(u'\n') : QStringList{};
}

void CloseAll(FakeServices& f) {
  for (const QPointer<QWidget>& w : f.presenter.nonModal)
    if (w) w->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

TEST(OmenWindow, EachCommandOpensItsOwnTitleAndPage) {
  const struct {
    const char* title;
    int page;
    const char* memo;
    const char* firstLine;
  } cases[] = {
      {"打喷嚏占卜吉凶", 0, "RzMemo1", "凌晨1 点-凌晨3点 有人思念你、有客人前来相求事情。"},
      {"面热测吉凶", 1, "RzMemo2", "子时：主有喜事，右主得财。  午时：主有亲来，想见大吉。"},
      {"心惊测吉凶", 2, "RzMemo3", "子时：主有女子，右喜事至。 午时：主有饮食，及喜事至。"},
      {"犬吠测吉凶", 3, "RzMemo4", "子时：主夫之人，时争闹画。 午时：主有酒食，宴会事吉。"},
      {"眼跳测吉凶", 4, "RzMemo5", "子时：左有贵人，右有饮食。午时：左主饮食，右有凶事。"},
      {"耳热测吉凶", 5, "RzMemo8", "子时：主有僧道来商量事 。午时：主有饮食，喜事来吉。"},
      {"耳鸣测吉凶", 6, "RzMemo7", "子时：左主女思，右主失财。丑时：左主口舌，右主争讼。"},
  };
  FakeServices f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    ShowOmenWindow(f.services, nullptr, QString::fromUtf8(c.title), c.page);
    ASSERT_FALSE(FormOnther.isNull());
    EXPECT_EQ(FormOnther->windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(FormOnther->activePageIndex(), c.page);
    EXPECT_TRUE(FormOnther->isVisible());
    const QStringList lines = MemoLines(*FormOnther, c.memo);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], QString::fromUtf8(c.firstLine));
    // The page really on screen is the one holding this memo.
    auto* memo = FormOnther->findChild<QPlainTextEdit*>(QString::fromLatin1(c.memo));
    EXPECT_TRUE(memo->isVisibleTo(FormOnther));
  }
  EXPECT_EQ(f.presenter.nonModal.size(), 7u);
  EXPECT_TRUE(f.presenter.modal.empty());
  CloseAll(f);
}

TEST(OmenWindow, PagesAlternateTextAndEmptyLinesEndingWithText) {
  FakeServices f;
  ShowOmenWindow(f.services, nullptr, QStringLiteral("x"), 0);
  const char* memos[7] = {"RzMemo1", "RzMemo2", "RzMemo3", "RzMemo4", "RzMemo5", "RzMemo8", "RzMemo7"};
  for (int p = 0; p < 7; ++p) {
    SCOPED_TRACE(p);
    const QStringList lines = MemoLines(*FormOnther, memos[p]);
    const auto& page = tongshu::almanac::kOmenPages[static_cast<std::size_t>(p)];
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(2 * page.size() - 1));
    EXPECT_EQ(lines.size(), p == 0 ? 23 : 11);
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i % 2 == 1) {
        EXPECT_TRUE(lines[i].isEmpty()) << i;
      } else {
        EXPECT_FALSE(lines[i].isEmpty()) << i;
      }
    }
    EXPECT_TRUE(FormOnther->findChild<QPlainTextEdit*>(QString::fromLatin1(memos[p]))->isReadOnly());
  }
  // The odd punctuation stays as printed.
  EXPECT_EQ(MemoLines(*FormOnther, "RzMemo2")[2], QStringLiteral("丑时；主有烦恼，忧悉子事。  未时：主有镅讼，口舌是非。"));
  EXPECT_EQ(MemoLines(*FormOnther, "RzMemo8")[10], QStringLiteral("已时：主有财物，之事不利。亥时：主有官非，词讼之事。"));
  EXPECT_EQ(MemoLines(*FormOnther, "RzMemo7")[10], QStringLiteral("午时：左主远信，右主亲来。亥时：左主大吉，右主饮食。"));
  CloseAll(f);
}

TEST(OmenWindow, NoteIsTheSameOnEveryPage) {
  const QString expected = QStringLiteral(
      "说明：\r\n"
      "   子时为23点-1点 丑时为1点-3点 寅时为3点-5点 卯时为5点-7点\r\n"
      "   辰时为7点-9点 巳时为9点-11点 午时11点-13点 未时13点-15点\r\n"
      "   申时15点-17点 酉时17点-19点 戌时19点-21点 亥时为21点-23点\r\n");
  FakeServices f;
  for (int page : {0, 4, 6}) {
    ShowOmenWindow(f.services, nullptr, QStringLiteral("t"), page);
    auto* note = FormOnther->findChild<QLabel*>(QStringLiteral("RzLabel1"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->property("noteText").toString(), expected);
    EXPECT_EQ(note->text().split(u'\n').size(), 4);
    EXPECT_TRUE(note->text().split(u'\n')[3].startsWith(QStringLiteral("   申时15点")));
  }
  CloseAll(f);
}

TEST(OmenWindow, TwiceOpensTwoAndClosingAnyClearsTheReference) {
  FakeServices f;
  ShowOmenWindow(f.services, nullptr, QStringLiteral("眼跳测吉凶"), 4);
  QPointer<TFormOnther> first = FormOnther;
  ShowOmenWindow(f.services, nullptr, QStringLiteral("眼跳测吉凶"), 4);
  QPointer<TFormOnther> second = FormOnther;
  ASSERT_FALSE(first.isNull());
  ASSERT_NE(first.data(), second.data());
  EXPECT_TRUE(first->isVisible());
  first->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());     // closing frees the window
  EXPECT_TRUE(FormOnther.isNull()); // and clears the reference, whichever window it was
  EXPECT_FALSE(second.isNull());
  CloseAll(f);
}

TEST(OmenWindow, IndexOutsideTheSevenSelectsNoPageAndWindowFrame) {
  FakeServices f;
  for (int page : {-1, 7, 100}) {
    ShowOmenWindow(f.services, nullptr, QStringLiteral("t"), page);
    EXPECT_EQ(FormOnther->activePageIndex(), -1);
    for (auto* memo : FormOnther->findChildren<QPlainTextEdit*>()) EXPECT_FALSE(memo->isVisibleTo(FormOnther));
  }
  EXPECT_EQ(FormOnther->size(), QSize(380, 249));
  EXPECT_FALSE(FormOnther->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(FormOnther->windowFlags() & Qt::WindowMaximizeButtonHint);
  CloseAll(f);
}

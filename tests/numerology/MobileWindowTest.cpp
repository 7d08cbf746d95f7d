// The mobile-number window, offscreen: against the fake database, against
// small files written with the project's writer, and against the bundled
// dream.dll beside the test program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "db/MdbDatabase.h"
#include "numerology/TFrm_SJcs.h"
#include "services/ConnStr.h"
#include "tests/support/Fakes.h"
#include "tools/jetwrite/JetWriter.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using tongshu::testing::FakeServices;

const std::string kStatementHead = "select title,jx,content from shouji where num = '";

std::string Statement(const std::string& reduced) { return kStatementHead + reduced + "'"; }

tongshu::db::Record Row(const std::string& title, const std::string& jx, const std::string& content) {
  return {{"title", "jx", "content"}, {title, jx, content}};
}

// Sends the window's statements to a file of the test's choosing through the
// real reader.
struct FileDatabase final : tongshu::db::Database {
  std::string path;
  int statements = 0;
  tongshu::db::MdbDatabase reader;
  std::optional<tongshu::db::Record> firstRow(const std::string&, const std::string& sql) override {
    ++statements;
    return reader.firstRow("Data Source=" + path, sql);
  }
};

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const auto dir = std::filesystem::temp_directory_path() / ("tongshu-mobile-tests-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto path = dir / name;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

class Mobile : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.database.rows[Statement("21")] = Row("秋草逢霜", "凶", "怀才不遇");
    fake.database.rows[Statement("79")] = Row("得而复失", "吉带凶", "守成无贪");
    fake.database.rows[Statement("0")] = Row("大展鸿图", "吉", "名利双收");
    fake.database.rows[Statement("8")] = Row("虽抱奇才", "凶", "有才无命");
    w = open(fake.services);
  }
  void TearDown() override { delete Frm_SJcs.data(); }
  TFrm_SJcs* open(tongshu::Services& services) {
    OpenFrm_SJcs(services, nullptr);
    EXPECT_FALSE(Frm_SJcs.isNull());
    return Frm_SJcs.data();
  }

  QStringList values() const { return {w->RzLabel11->text(), w->RzLabel10->text(), w->RzLabel9->text(), w->RzLabel8->text()}; }
  void analyse(const QString& typed) const {
    w->edtmun->clear();
    QTest::keyClicks(w->edtmun, typed);
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  }
  void paste(const QString& pasted) const {
    w->edtmun->clear();
    QApplication::clipboard()->setText(pasted);
    w->edtmun->paste();
  }
  std::vector<std::string> sqls() const {
    std::vector<std::string> out;
    for (const auto& [conn, sql] : fake.database.statements) out.push_back(sql);
    return out;
  }

  FakeServices fake;
  TFrm_SJcs* w = nullptr;
};

TEST_F(Mobile, LayoutTextsAndAnEmptyStart) {
  EXPECT_EQ(w->windowTitle(), QStringLiteral("手机号码测算"));
  EXPECT_EQ(w->size(), QSize(437, 300));
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(w->RzLabel1->text(), QStringLiteral("输入号码："));
  EXPECT_EQ(w->RzLabel2->text(), QStringLiteral("请注意：手机号码是11位，请正确输入。"));
  EXPECT_EQ(w->RzLabel5->text(), QStringLiteral("手机号码是："));
  EXPECT_EQ(w->RzLabel4->text(), QStringLiteral("状态："));
  EXPECT_EQ(w->RzLabel6->text(), QStringLiteral("吉凶："));
  EXPECT_EQ(w->RzLabel7->text(), QStringLiteral("具体表现："));
  EXPECT_EQ(w->RzLabel3->text(),
            QStringLiteral("注：有些人会问，手机号码为什么会影响一个人的运势？其实这就像风水、阳宅会影响运势命运的意义是"
                           "一样的。虽然这只是一个号码，但是它与您的生活息息相关，也代表您与所有人的沟通桥梁！"));
  EXPECT_TRUE(w->RzLabel3->wordWrap());
  EXPECT_EQ(w->RzBitBtn1->text(), QStringLiteral("测算"));
  EXPECT_EQ(w->RzBitBtn2->text(), QStringLiteral("关闭"));
  EXPECT_EQ(w->RzGroupBox1->title(), QStringLiteral("测算结果"));
  EXPECT_EQ(w->RzLabel9->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_TRUE(w->RzLabel8->wordWrap());
  EXPECT_EQ(w->RzLabel8->size(), QSize(337, 83));
  EXPECT_EQ(w->edtmun->maxLength(), 11);
  EXPECT_TRUE(w->edtmun->text().isEmpty());
  EXPECT_EQ(values(), QStringList(4, QString()));
  EXPECT_EQ(w->findChild<QLineEdit*>("edtmun"), w->edtmun);
  EXPECT_EQ(w->findChild<QLabel*>("RzLabel8"), w->RzLabel8);
  // Opened from the main window the box is empty, so showing ran nothing.
  EXPECT_TRUE(fake.database.statements.empty());
  ASSERT_EQ(fake.presenter.modal.size(), 1u);
  EXPECT_EQ(fake.presenter.modal[0], w);
}

TEST_F(Mobile, NumbersAreReducedQueriedAndShown) {
  struct Case {
    QString typed;
    std::string reduced;
    QStringList shown;
  };
  const Case cases[] = {
      {"12345678901", "21", {"12345678901", "秋草逢霜", "凶", "怀才不遇"}},
      {"10000009999", "79", {"10000009999", "得而复失", "吉带凶", "守成无贪"}},
      {"10000000080", "0", {"10000000080", "大展鸿图", "吉", "名利双收"}},
      {"10000008000", "0", {"10000008000", "大展鸿图", "吉", "名利双收"}},
      {"12345678", "8", {"12345678", "虽抱奇才", "凶", "有才无命"}},
  };
  for (const Case& c : cases) {
    fake.database.statements.clear();
    analyse(c.typed);
    ASSERT_EQ(fake.database.statements.size(), 1u) << c.typed.toStdString();
    EXPECT_EQ(fake.database.statements[0].first, tongshu::DreamConnStr());
    EXPECT_EQ(fake.database.statements[0].second, Statement(c.reduced));
    EXPECT_EQ(values(), c.shown);
    EXPECT_EQ(w->shoujiinfostr(c.typed), QString::fromStdString(c.reduced));
  }
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
}

TEST_F(Mobile, ANumberWithoutARowShowsTheNumberAlone) {
  analyse("12345678901");
  analyse("1234567891");  // 891 mod 80 = 11, no row in the fake
  EXPECT_EQ(sqls().back(), Statement("11"));
  EXPECT_EQ(values(), (QStringList{"1234567891", "", "", ""}));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
}

TEST_F(Mobile, BlankBoxShowsTheMessageAndChangesNothing) {
  analyse("12345678901");
  const QStringList before = values();
  for (const QString& blank : {QString(), QStringLiteral("   ")}) {
    fake.messages.clear();
    w->edtmun->setText(blank);
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
    EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("请输入11位手机号码！")});
    EXPECT_EQ(values(), before);
  }
  EXPECT_EQ(sqls().size(), 1u);
}

TEST_F(Mobile, TooShortOrNonDigitTailIsTheConversionErrorWithoutAQuery) {
  analyse("12345678901");
  const QStringList before = values();
  struct Case {
    QString text, offending;
  };
  const Case cases[] = {
      {"1234567", ""},          {"1", ""},          {"  1234567  ", ""},   {"1234567'--", "'--"},
      {"1234567;", ";"},        {"1234567#", "#"},  {"1234567-12", "-12"}, {"1234567' or", "' or"},
      {"1234567中", "中"},
  };
  for (const Case& c : cases) {
    fake.messages.clear();
    paste(c.text);
    ASSERT_EQ(w->edtmun->text(), c.text.left(11));
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
    EXPECT_EQ(fake.messages.errors, QStringList{QStringLiteral("'%1' is not a valid integer value").arg(c.offending)})
        << c.text.toStdString();
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    EXPECT_EQ(values(), before);
  }
  EXPECT_EQ(sqls(), std::vector<std::string>{Statement("21")});
}

// Positions are bytes of the number's GBK text: a pasted Chinese character
// takes two of the seven that are skipped, and one that the eighth byte cuts
// in half is no digit.
TEST_F(Mobile, APastedChineseCharacterCountsTwoBytes) {
  fake.database.rows[Statement("7")] = Row("七", "吉", "七号");
  paste(QStringLiteral("号码1234567"));  // 号码123 are the seven bytes: 4567 = 57 * 80 + 7
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  EXPECT_EQ(sqls(), std::vector<std::string>{Statement("7")});
  EXPECT_EQ(values(), (QStringList{"号码1234567", "七", "吉", "七号"}));
  EXPECT_EQ(w->shoujiinfostr(QStringLiteral("号码1234567")), QStringLiteral("7"));

  paste(QStringLiteral("一二三四5678"));  // the eighth byte is the second half of 四
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  EXPECT_EQ(fake.messages.errors, QStringList{QStringLiteral("'\uFFFD5678' is not a valid integer value")});
  EXPECT_EQ(values(), (QStringList{"号码1234567", "七", "吉", "七号"}));
  EXPECT_EQ(sqls().size(), 1u);
}

// A character code page 936 cannot encode is a "?" for each UTF-16 unit, in
// the box, in the number line and in the error report alike.
TEST_F(Mobile, CharactersOutsideGbkAreQuestionMarksWhereverTheyShow) {
  fake.database.rows[Statement("7")] = Row("七", "吉", "七号");
  paste(QString::fromUtf8("\xE5\x8F\xB7\xF0\x9F\x98\x80" "1234567"));  // 号😀: 号?? and 123 are the seven bytes
  EXPECT_EQ(w->edtmun->text(), QStringLiteral("号??1234567"));
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  EXPECT_EQ(values(), (QStringList{"号??1234567", "七", "吉", "七号"}));

  paste(QString::fromUtf8("1234567\xF0\x9F\x98\x80"));
  EXPECT_EQ(w->edtmun->text(), QStringLiteral("1234567??"));
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  EXPECT_EQ(fake.messages.errors, QStringList{QStringLiteral("'%1' is not a valid integer value").arg("??")});
  EXPECT_EQ(values(), (QStringList{"号??1234567", "七", "吉", "七号"}));
}

TEST_F(Mobile, PastedQuotesBeforeTheEighthCharacterNeverReachTheStatement) {
  for (const QString& pasted : {QStringLiteral("';--#;'8901"), QStringLiteral("1' or 8901"), QStringLiteral("#\"--;  8901")}) {
    fake.database.statements.clear();
    paste(pasted);
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
    EXPECT_EQ(sqls(), std::vector<std::string>{Statement("21")}) << pasted.toStdString();
    EXPECT_EQ(w->RzLabel11->text(), pasted.trimmed());
  }
}

TEST_F(Mobile, KeyFilterPassesDigitsBackspaceAndEnterOnly) {
  QTest::keyClicks(w->edtmun, QStringLiteral("1a b-+.,'#;"));
  QTest::sendKeyEvent(QTest::Click, w->edtmun, Qt::Key_unknown, QStringLiteral("中"), Qt::NoModifier);
  QTest::keyClicks(w->edtmun, QStringLiteral("23"));
  EXPECT_EQ(w->edtmun->text(), QStringLiteral("123"));
  QTest::keyClick(w->edtmun, Qt::Key_Backspace);
  EXPECT_EQ(w->edtmun->text(), QStringLiteral("12"));
  QTest::keyClick(w->edtmun, Qt::Key_Escape);
  QTest::keyClick(w->edtmun, Qt::Key_Tab);
  EXPECT_EQ(w->edtmun->text(), QStringLiteral("12"));
  // A twelfth digit does not fit.
  w->edtmun->clear();
  QTest::keyClicks(w->edtmun, QStringLiteral("123456789012"));
  EXPECT_EQ(w->edtmun->text(), QStringLiteral("12345678901"));
  EXPECT_TRUE(fake.database.statements.empty());
  EXPECT_EQ(values(), QStringList(4, QString()));
}

TEST_F(Mobile, EnterRunsTheAnalysisAndLeavesTheBoxAlone) {
  QTest::keyClicks(w->edtmun, QStringLiteral("12345678901"));
  QTest::keyClick(w->edtmun, Qt::Key_Return);
  EXPECT_EQ(w->edtmun->text(), QStringLiteral("12345678901"));
  EXPECT_EQ(values(), (QStringList{"12345678901", "秋草逢霜", "凶", "怀才不遇"}));
  w->edtmun->clear();
  QTest::keyClicks(w->edtmun, QStringLiteral("12345678"));
  QTest::keyClick(w->edtmun, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(w->RzLabel10->text(), QStringLiteral("虽抱奇才"));
  w->edtmun->clear();
  QTest::keyClick(w->edtmun, Qt::Key_Return);
  EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("请输入11位手机号码！")});
}

TEST_F(Mobile, ShowingAWindowWithANumberRunsTheAnalysis) {
  TFrm_SJcs other(fake.services);
  other.edtmun->setText(QStringLiteral("10000009999"));
  other.show();
  EXPECT_EQ(other.RzLabel10->text(), QStringLiteral("得而复失"));
  EXPECT_EQ(sqls(), std::vector<std::string>{Statement("79")});
  // A blank box shows no message on showing.
  TFrm_SJcs blank(fake.services);
  blank.edtmun->setText(QStringLiteral("  "));
  blank.show();
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_EQ(sqls().size(), 1u);
}

TEST_F(Mobile, AQueryFailureIsSilentAndKeepsTheLabels) {
  analyse("12345678901");
  const QStringList before = values();
  fake.database.failWith = [](const std::string&, const std::string&) {
    throw tongshu::db::DbError("数据文件不存在：dream.dll");
  };
  analyse("10000009999");
  EXPECT_EQ(sqls().size(), 2u);
  EXPECT_EQ(values(), before);
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
}

TEST_F(Mobile, ReopeningFreesThePreviousAndClosingClearsTheReference) {
  analyse("12345678901");
  QPointer<TFrm_SJcs> first = w;
  w = open(fake.services);
  EXPECT_TRUE(first.isNull());
  EXPECT_TRUE(w->edtmun->text().isEmpty());
  EXPECT_EQ(values(), QStringList(4, QString()));
  EXPECT_EQ(fake.presenter.modal.size(), 2u);

  QPointer<TFrm_SJcs> second = w;
  QTest::mouseClick(w->RzBitBtn2, Qt::LeftButton);
  EXPECT_TRUE(Frm_SJcs.isNull());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(second.isNull());
}

TEST(MobileWindow, RealModalLoopReturnsWhenClosed) {
  FakeServices fake;
  fake.database.rows[Statement("21")] = Row("秋草逢霜", "凶", "怀才不遇");
  tongshu::QtWindowPresenter modalLoop;
  tongshu::Services services{fake.messages, fake.links, fake.clock, modalLoop, fake.database};
  QString verdictInsideTheLoop;
  QTimer::singleShot(0, [&] {
    ASSERT_FALSE(Frm_SJcs.isNull());
    EXPECT_TRUE(Frm_SJcs->isModal());
    QTest::keyClicks(Frm_SJcs->edtmun, QStringLiteral("12345678901"));
    QTest::keyClick(Frm_SJcs->edtmun, Qt::Key_Return);
    verdictInsideTheLoop = Frm_SJcs->RzLabel9->text();
    Frm_SJcs->close();  // the title bar's close box
  });
  OpenFrm_SJcs(services, nullptr);
  EXPECT_EQ(verdictInsideTheLoop, QStringLiteral("凶"));
  EXPECT_TRUE(Frm_SJcs.isNull());
}

// --- the real reader -------------------------------------------------------

class MobileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenFrm_SJcs(services, nullptr);
    w = Frm_SJcs.data();
    ASSERT_NE(w, nullptr);
  }
  void TearDown() override { delete Frm_SJcs.data(); }
  void analyse(const QString& typed) const {
    w->edtmun->clear();
    QTest::keyClicks(w->edtmun, typed);
    QTest::keyClick(w->edtmun, Qt::Key_Return);
  }
  QStringList values() const { return {w->RzLabel11->text(), w->RzLabel10->text(), w->RzLabel9->text(), w->RzLabel8->text()}; }

  FakeServices fake;
  FileDatabase files;
  tongshu::Services services{fake.messages, fake.links, fake.clock, fake.presenter, files};
  TFrm_SJcs* w = nullptr;
};

TEST_F(MobileFile, BundledTableAnswersTheExamples) {
  files.path = tongshu::ExecutableDir() + "dream.dll";
  analyse("12345678901");
  EXPECT_EQ(values(), (QStringList{"12345678901", "秋草逢霜，怀才不遇，忧愁怨苦，事不如意", "凶",
                                   "此数如秋草逢霜，才能难以被赏识，心中多有不平。宜调整期望，换个方向或许别有天地。"}));
  analyse("10000009999");
  EXPECT_EQ(w->RzLabel10->text(), QStringLiteral("得而复失，枉费心机，守成无贪，可保安稳"));
  EXPECT_EQ(w->RzLabel9->text(), QStringLiteral("吉带凶"));
  analyse("10000008000");
  EXPECT_EQ(w->RzLabel10->text(), QStringLiteral("大展鸿图，信用得固，名利双收，可获成功"));
  // Every remainder has its row.
  for (int n = 0; n < 80; ++n) {
    analyse(QStringLiteral("1000000%1").arg(n, 4, 10, QLatin1Char('0')));
    EXPECT_FALSE(w->RzLabel10->text().isEmpty()) << n;
    EXPECT_FALSE(w->RzLabel9->text().isEmpty()) << n;
    EXPECT_FALSE(w->RzLabel8->text().isEmpty()) << n;
  }
  EXPECT_TRUE(fake.messages.errors.isEmpty());
}

TEST_F(MobileFile, FixtureValuesAreTrimmedAndNullsEmpty) {
  files.path = WriteFile("shouji.dll", jetwrite::WriteDatabase({{"shouji",
                                                                 {{"num", jetwrite::ColumnType::Text, 10},
                                                                  {"title", jetwrite::ColumnType::Text, 100},
                                                                  {"jx", jetwrite::ColumnType::Text, 10},
                                                                  {"content", jetwrite::ColumnType::Memo, 0}},
                                                                 {{"21", "  状态 ", std::nullopt, "\t内容\r\n"},
                                                                  {"21", "second", "x", "y"},
                                                                  {"8", std::nullopt, " 凶", ""}}}}));
  analyse("12345678901");
  EXPECT_EQ(values(), (QStringList{"12345678901", "状态", "", "内容"}));
  analyse("12345678");
  EXPECT_EQ(values(), (QStringList{"12345678", "", "凶", ""}));
  analyse("10000009999");  // no row for 79
  EXPECT_EQ(values(), (QStringList{"10000009999", "", "", ""}));
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_TRUE(fake.messages.infos.isEmpty());
}

TEST_F(MobileFile, MissingFileTableOrColumnIsSilent) {
  files.path = tongshu::ExecutableDir() + "dream.dll";
  analyse("12345678901");
  const QStringList before = values();
  ASSERT_EQ(before[1], QStringLiteral("秋草逢霜，怀才不遇，忧愁怨苦，事不如意"));
  const std::string noTable = WriteFile("empty.dll", jetwrite::WriteDatabase({}));
  const std::string noColumn = WriteFile(
      "nocolumn.dll",
      jetwrite::WriteDatabase({{"shouji", {{"num", jetwrite::ColumnType::Text, 10}, {"title", jetwrite::ColumnType::Text, 100}},
                                {{"79", "t"}}}}));
  std::vector<std::uint8_t> garbage(4096 * 3, 0xA5);
  const std::string damaged = WriteFile("damaged.dll", garbage);
  for (const std::string& path : {tongshu::ExecutableDir() + "no-such-dream.dll", noTable, noColumn, damaged}) {
    files.path = path;
    const int before_statements = files.statements;
    analyse("10000009999");
    EXPECT_EQ(files.statements, before_statements + 1) << path;
    EXPECT_EQ(values(), before) << path;
  }
  EXPECT_TRUE(fake.messages.errors.isEmpty()) << fake.messages.errors.join(u' ').toStdString();
  EXPECT_TRUE(fake.messages.infos.isEmpty());
}

TEST(MobileWindow, TheProductionReaderFindsTheBundledFileByItsConnectionString) {
  FakeServices fake;
  tongshu::db::MdbDatabase reader;
  tongshu::Services services{fake.messages, fake.links, fake.clock, fake.presenter, reader};
  OpenFrm_SJcs(services, nullptr);
  ASSERT_FALSE(Frm_SJcs.isNull());
  Frm_SJcs->edtmun->setText(QStringLiteral("12345678901"));
  Frm_SJcs->RzBitBtn1Click();
  EXPECT_EQ(Frm_SJcs->RzLabel9->text(), QStringLiteral("凶"));
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  delete Frm_SJcs.data();
}

}  // namespace

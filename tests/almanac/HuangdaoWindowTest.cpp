// The daily almanac window, offscreen: against the fake database, against
// small files written with the project's writer, and against the bundled
// KorBirth.dll beside the test program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <filesystem>
#include <ostream>

#include "almanac/TFormHuangdao.h"
#include "db/MdbDatabase.h"
#include "services/ConnStr.h"
#include "tests/support/BundledDays.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"
#include "tools/jetwrite/JetWriter.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using tongshu::testing::FakeServices;
using tongshu::testing::kOverview20110305;
using tongshu::testing::kOverview20120229;

const QString kStatementHead = QStringLiteral("Select top 1 * from huangdao where gn = #");

// Sends the window's statements to a file of the test's choosing through the
// real reader, and records what it was asked.
struct FileDatabase final : tongshu::db::Database {
  std::string path;
  std::vector<std::pair<std::string, std::string>> statements;
  tongshu::db::MdbDatabase reader;
  std::optional<tongshu::db::Record> firstRow(const std::string& conn, const std::string& sql) override {
    statements.emplace_back(conn, sql);
    return reader.firstRow("Data Source=" + path, sql);
  }
};

std::filesystem::path TempDir() { return tongshu::testing::ScratchDir("tongshu-almanac-tests"); }

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const auto path = TempDir() / name;
  tongshu::testing::WriteWholeFile(path, bytes);
  return path.string();
}

jetwrite::Table HuangdaoTable(std::vector<jetwrite::Row> rows) {
  jetwrite::Table t{"huangdao", {{"gn", jetwrite::ColumnType::DateTime, 0}}, std::move(rows)};
  for (const char* c : {"nn", "suici", "tszf", "wuhang", "cong", "pzbj", "jsyq", "yi", "xsyq", "ji"})
    t.columns.push_back({c, jetwrite::ColumnType::Text, 100});
  return t;
}

tongshu::db::Record Row(const std::vector<std::pair<std::string, std::string>>& cells) {
  tongshu::db::Record r;
  for (const auto& [name, value] : cells) {
    r.names.push_back(name);
    r.values.emplace_back(value);
  }
  return r;
}

tongshu::db::Record DayRow(const std::string& tag) {
  return Row({{"nn", "nn" + tag}, {"suici", "u" + tag}, {"tszf", "t" + tag}, {"wuhang", "w" + tag},
              {"cong", "c" + tag}, {"pzbj", "p" + tag}, {"jsyq", "s" + tag}, {"yi", "y" + tag},
              {"xsyq", "x" + tag}, {"ji", "j" + tag}});
}

QStringList DayLines(const QString& tag) {
  return {"岁次:u" + tag, "", "每日胎神占方:t" + tag, "", "五行:w" + tag, "", "冲:c" + tag, "",
          "彭祖百忌:p" + tag, "", "吉神宜趋:s" + tag, "", "宜:y" + tag, "", "凶神宜忌:x" + tag, "",
          "忌:j" + tag};
}

class Huangdao : public ::testing::Test {
 protected:
  void SetUp() override { w = open(fake.services); }
  void TearDown() override {
    for (const QPointer<TFormHuangdao>& window : opened) delete window.data();
    FormHuangdao = nullptr;
  }
  TFormHuangdao* open(tongshu::Services& services) {
    OpenFormHuangdao(services, nullptr);
    EXPECT_FALSE(FormHuangdao.isNull());
    opened.emplace_back(FormHuangdao);
    return FormHuangdao.data();
  }

  // Types into each box as a user would, then presses "测算".
  void lookup(const QString& y, const QString& m, const QString& d) const {
    for (auto [box, text] : {std::pair{w->SYear, y}, {w->SMonth, m}, {w->Sday, d}}) {
      box->lineEdit()->clear();
      clickInto(box);
      QTest::keyClicks(box->lineEdit(), text);
    }
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  }
  // Puts the keyboard focus in the box with a click, in an active window: a
  // box handles typed keys as it does for a user only then (a completer, for
  // one, acts on a focused box alone).
  static void clickInto(QComboBox* box) {
    QWidget* window = box->window();
    if (!window->isActiveWindow()) {
      window->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
    ASSERT_TRUE(box->lineEdit()->hasFocus());
  }
  QStringList memo() const { return w->Memo1->toPlainText().split(u'\n'); }
  QStringList sqls() const {
    QStringList out;
    for (const auto& [conn, sql] : fake.database.statements) out << QString::fromStdString(sql);
    return out;
  }

  FakeServices fake;
  TFormHuangdao* w = nullptr;
  std::vector<QPointer<TFormHuangdao>> opened;
};

TEST_F(Huangdao, LayoutTextsAndEmptyBoxes) {
  EXPECT_EQ(w->windowTitle(), QStringLiteral("黄道吉日"));
  EXPECT_EQ(w->size(), QSize(600, 464));
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_EQ(w->RzLabel1->text(), QStringLiteral("选择黄历："));
  EXPECT_EQ(w->RzLabel2->text(), QStringLiteral("年"));
  EXPECT_EQ(w->RzLabel3->text(), QStringLiteral("月"));
  EXPECT_EQ(w->RzLabel4->text(), QStringLiteral("日"));
  EXPECT_EQ(w->RzLabel5->text(), QStringLiteral("当日统览："));
  EXPECT_TRUE(w->RzLabel5->font().bold());
  EXPECT_EQ(w->RzBitBtn1->text(), QStringLiteral("测算"));
  EXPECT_EQ(w->RzBitBtn2->text(), QStringLiteral("关闭"));
  EXPECT_TRUE(w->RzGroupBox2->title().isEmpty());
  EXPECT_EQ(w->RzGroupBox1->title(), QStringLiteral("测算结果："));
  EXPECT_EQ(w->RzGroupBox3->title(), QStringLiteral("黄历名词解释："));
  EXPECT_TRUE(w->Label1->text().isEmpty());
  EXPECT_TRUE(w->Label1->font().bold());
  EXPECT_EQ(w->Label1->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_FALSE(w->Memo1->isReadOnly());
  EXPECT_TRUE(w->Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(w->Memo2->isReadOnly());
  EXPECT_EQ(w->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(w->Memo2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(w->query().connectionString(), tongshu::BirthConnStr());
  // Found by their names, as the design-time controls are.
  for (const char* name : {"SYear", "SMonth", "Sday"}) EXPECT_NE(w->findChild<QComboBox*>(name), nullptr) << name;
  for (const char* name : {"Memo1", "Memo2"}) EXPECT_NE(w->findChild<QPlainTextEdit*>(name), nullptr) << name;
}

TEST_F(Huangdao, BoxesHoldTheirItemsAndStartEmptyWithNothingChosen) {
  const auto items = [](QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
  };
  const auto range = [](int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i) out << (i < 10 ? QStringLiteral("0%1").arg(i) : QString::number(i));
    return out;
  };
  EXPECT_EQ(items(w->SYear), range(2008, 2019));
  EXPECT_EQ(items(w->SMonth), range(1, 12));
  EXPECT_EQ(items(w->Sday), range(1, 31));
  for (QComboBox* box : {w->SYear, w->SMonth, w->Sday}) {
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_TRUE(box->currentText().isEmpty());
  }
  // Typed text followed by Enter is not added to the list.
  QTest::keyClicks(w->SYear->lineEdit(), QStringLiteral("2030"));
  QTest::keyClick(w->SYear->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(w->SYear->count(), 12);
  EXPECT_EQ(w->SYear->currentText(), QStringLiteral("2030"));
}

TEST_F(Huangdao, GlossaryTextByteForByte) {
  struct Entry {
    const char* term;  // nullptr for a continuation line
    const char* text;
    bool trailingBlank;
  };
  const Entry entries[] = {
      {"嫁娶", "男娶女嫁，举行结婚大典的吉日", true},
      {"祭祀", "指祠堂之祭祀、即拜祭祖先或庙寺的祭拜、神明等事", true},
      {"安葬", "举行埋葬等仪式", true},
      {"出行", "指外出旅行、观光游览", true},
      {"祈福", "祈求神明降福或设醮还愿之事", true},
      {"动土", "建筑时、第一次动起锄头挖土", true},
      {"安床", "指安置睡床卧铺之意", true},
      {"开光", "佛像塑成后、供奉上位之事", true},
      {"纳采", "缔结婚姻的仪式、受授聘金", true},
      {"入殓", "将尸体放入棺材之意", true},
      {"移徙", "指搬家迁移住所之意", true},
      {"破土", "仅指埋葬用的破土、与一般建筑房屋的“动土”不同，即“破土”属阴宅，“动土”属阳宅也。现", false},
      {nullptr, "今社会上多已滥用属阴宅择日时属阴宅须辨别之。", true},
      {"解除", "指冲洗清扫宅舍、解除灾厄等事", true},
      {"入宅", "即迁入新宅、所谓“新居落成典礼”也", true},
      {"修造", "指阳宅之造与修理", true},
      {"栽种", "种植物“接果”“种田禾”同", true},
      {"开市", "“开业”之意，商品行号开张做生意“开幕典礼”“开工”同。包括：(1)年头初开始营业或开工等", false},
      {nullptr, "事(2)新设店铺商行或新厂开幕等事", true},
      {"移柩", "行葬仪时、将棺木移出屋外之事", true},
      {"订盟", "订婚仪式的一种，俗称小聘(订)", true},
      {"拆卸", "拆掉建筑物", true},
      {"立卷", "订立各种契约互相买卖之事", true},
      {"交易", "订立各种契约互相买卖之事", true},
      {"求嗣", "指向神明祈求后嗣(子孙)之意", true},
      {"上梁", "装上建筑物屋顶的梁，同架马", true},
      {"纳财", "购屋产业、进货、收帐、收租、讨债、贷款、五谷入仓等", true},
      {"起基", "建筑时、第一次动起锄头挖土", true},
      {"斋醮", "庙宇建醮前需举行的斋戒仪式", true},
      {"赴任", "走马上任", true},
      {"冠笄", "男女年满二十岁所举行的成年礼仪式", true},
      {"安门", "放置正门门框", true},
      {"修坟", "修理坟墓", true},
      {"挂匾", "指悬挂招牌或各种匾额", false},
  };
  QStringList expected;
  for (const Entry& e : entries) {
    QString line = e.term ? QString::fromUtf8(e.term) + QStringLiteral(" ：") : QString();
    line += QString::fromUtf8(e.text);
    if (e.trailingBlank) line += u' ';
    expected << line;
  }
  const QStringList shown = w->Memo2->toPlainText().split(u'\n');
  ASSERT_EQ(shown.size(), 34);
  for (int i = 0; i < 34; ++i) EXPECT_EQ(shown[i], expected[i]) << "line " << i + 1;
  EXPECT_EQ(w->Memo2->toPlainText().toUtf8(), expected.join(u'\n').toUtf8());
}

// Each line of the glossary takes one line on screen, the two long ones
// included, so that each of their explanations takes exactly two; and no line
// runs under the scroll bar.
TEST_F(Huangdao, GlossaryLinesFitTheMemoWidth) {
  w->show();
  QCoreApplication::processEvents();
  const int room = w->Memo2->viewport()->width();
  int lines = 0;
  for (QTextBlock b = w->Memo2->document()->begin(); b.isValid(); b = b.next()) {
    // Where the caret stands at the start and at the end of the line.
    QTextCursor cursor(b);
    const QRect start = w->Memo2->cursorRect(cursor);
    cursor.movePosition(QTextCursor::EndOfBlock);
    const QRect end = w->Memo2->cursorRect(cursor);
    EXPECT_EQ(end.top(), start.top()) << "line " << b.blockNumber() + 1 << " wraps";
    EXPECT_LE(end.left(), room) << "line " << b.blockNumber() + 1;
    lines += b.layout()->lineCount();
  }
  EXPECT_EQ(lines, 34);
}

TEST_F(Huangdao, MissingFieldsAreReportedYearFirstThenMonthThenDay) {
  struct Case {
    QString y, m, d, message;
  };
  const Case cases[] = {
      {"", "", "", "请选择年!"},          {"", "03", "05", "请选择年!"},   {"   ", "03", "05", "请选择年!"},
      {"2011", "", "05", "请选择月!"},    {"2011", "", "", "请选择月!"},   {"2011", "  ", "05", "请选择月!"},
      {"2011", "03", "", "请选择日!"},    {"2011", "03", " ", "请选择日!"}, {"", "abc", "", "请选择年!"},
      {"2011", "03", "x", "请选择有效的日期!"},
  };
  for (const Case& c : cases) {
    fake.messages.clear();
    w->SYear->setEditText(c.y);
    w->SMonth->setEditText(c.m);
    w->Sday->setEditText(c.d);
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
    EXPECT_EQ(fake.messages.infos, QStringList{c.message}) << c.y.toStdString() << '/' << c.m.toStdString() << '/'
                                                           << c.d.toStdString();
  }
  EXPECT_TRUE(fake.database.statements.empty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_TRUE(w->Label1->text().isEmpty());
}

TEST_F(Huangdao, InvalidDatesAreRefusedBeforeAnyQuery) {
  fake.database.rows[(kStatementHead + "2011-03-05#").toStdString()] = DayRow("A");
  lookup("2011", "03", "05");
  const QString overview = w->Label1->text();
  const QStringList lines = memo();
  for (auto [y, m, d] : {std::tuple{"2011", "02", "30"}, {"2011", "13", "01"}, {"2011", "00", "01"},
                         {"2011", "04", "31"}, {"1900", "02", "29"}, {"11", "3", "5"}, {"20110", "3", "5"}}) {
    fake.messages.clear();
    lookup(y, m, d);
    EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("请选择有效的日期!")}) << y << '-' << m << '-' << d;
  }
  EXPECT_EQ(sqls(), QStringList{kStatementHead + "2011-03-05#"});
  EXPECT_EQ(w->Label1->text(), overview);
  EXPECT_EQ(memo(), lines);
}

TEST_F(Huangdao, ChosenItemsAndTypedDigitsQueryTheDateAsWritten) {
  fake.database.rows[(kStatementHead + "2012-02-29#").toStdString()] = DayRow("L");
  w->SYear->setCurrentIndex(w->SYear->findText(QStringLiteral("2012")));
  w->SMonth->setCurrentIndex(1);
  w->Sday->setCurrentIndex(28);
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2012-02-29  nnL"));
  EXPECT_EQ(memo(), DayLines("L"));

  // Typed without leading zeros and with blanks around: trimmed, not padded.
  fake.database.rows[(kStatementHead + "2011-3-5#").toStdString()] = DayRow("T");
  lookup(" 2011 ", "3", "5 ");
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-3-5  nnT"));
  EXPECT_EQ(memo(), DayLines("T"));
  EXPECT_EQ(sqls(), (QStringList{kStatementHead + "2012-02-29#", kStatementHead + "2011-3-5#"}));
  for (const auto& [conn, sql] : fake.database.statements) EXPECT_EQ(conn, tongshu::BirthConnStr());
}

// The boxes complete nothing: typing 1 into the month box is month 1, not the
// item 10 that starts with it, and a typed three-digit year stays three digits.
TEST_F(Huangdao, TypedDigitsAreNotCompletedToItems) {
  fake.database.rows[(kStatementHead + "2011-1-2#").toStdString()] = DayRow("K");
  lookup("2011", "1", "2");
  EXPECT_EQ(w->SYear->currentText(), QStringLiteral("2011"));
  EXPECT_EQ(w->SMonth->currentText(), QStringLiteral("1"));
  EXPECT_EQ(w->Sday->currentText(), QStringLiteral("2"));
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-1-2  nnK"));
  EXPECT_EQ(memo(), DayLines("K"));

  lookup("201", "1", "3");
  EXPECT_EQ(w->SYear->currentText(), QStringLiteral("201"));
  EXPECT_EQ(sqls(), (QStringList{kStatementHead + "2011-1-2#", kStatementHead + "201-1-3#"}));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
}

TEST_F(Huangdao, ADateWithoutARowChangesNothingAndSaysNothing) {
  fake.database.rows[(kStatementHead + "2011-03-05#").toStdString()] = DayRow("A");
  lookup("2011", "03", "05");
  lookup("2030", "01", "01");
  EXPECT_EQ(sqls().size(), 2);
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-03-05  nnA"));
  EXPECT_EQ(memo(), DayLines("A"));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  // The user's edits of the result stay until the next successful lookup.
  w->Memo1->setPlainText(QStringLiteral("笔记"));
  lookup("2030", "01", "02");
  EXPECT_EQ(w->Memo1->toPlainText(), QStringLiteral("笔记"));
  lookup("2011", "03", "05");
  EXPECT_EQ(memo(), DayLines("A"));
}

TEST_F(Huangdao, PastedStatementTextInAnyBoxNeverReachesTheDatabase) {
  const QString attacks[] = {"#",  "# or 1=1 --", "'; --", ";",     "--",     "#--", "'",  "# or gn = #1",
                             "x",  " or 1",       "\"",    "/*",    "--5",    "+",   "３", "05"};
  QComboBox* boxes[3] = {w->SYear, w->SMonth, w->Sday};
  for (int box = 0; box < 3; ++box) {
    for (const QString& attack : attacks) {
      QString parts[3] = {"2011", "03", "05"};
      parts[box] += attack;
      fake.messages.clear();
      for (int i = 0; i < 3; ++i) {
        boxes[i]->lineEdit()->clear();
        QApplication::clipboard()->setText(parts[i]);
        boxes[i]->lineEdit()->paste();
        ASSERT_EQ(boxes[i]->currentText(), parts[i]);
      }
      QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
      EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("请选择有效的日期!")})
          << "box " << box << ": " << parts[box].toStdString();
    }
  }
  EXPECT_EQ(sqls(), QStringList());
}

TEST_F(Huangdao, AReaderFailureGoesToTheErrorReportAndTheWindowKeepsItsDay) {
  fake.database.rows[(kStatementHead + "2011-03-05#").toStdString()] = DayRow("A");
  lookup("2011", "03", "05");
  fake.database.failWith = [](const std::string&, const std::string&) {
    throw tongshu::db::DbError("数据文件不存在：/x/KorBirth.dll");
  };
  lookup("2011", "03", "05");
  EXPECT_EQ(fake.messages.errors, QStringList{QStringLiteral("数据文件不存在：/x/KorBirth.dll")});
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-03-05  nnA"));
  EXPECT_EQ(memo(), DayLines("A"));
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(FormHuangdao.data(), w);
}

TEST_F(Huangdao, EachUseOpensOneMoreWindowAndClosingFreesIt) {
  TFormHuangdao* second = open(fake.services);
  ASSERT_NE(second, w);
  EXPECT_EQ(fake.presenter.nonModal.size(), 2u);
  EXPECT_TRUE(fake.presenter.modal.empty());
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(second->isVisible());
  EXPECT_EQ(FormHuangdao.data(), second);

  // Closing the older one still clears the reference, and frees only itself.
  QPointer<TFormHuangdao> first = w;
  QTest::mouseClick(w->RzBitBtn2, Qt::LeftButton);
  EXPECT_TRUE(FormHuangdao.isNull());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  QPointer<TFormHuangdao> other = second;
  EXPECT_FALSE(other.isNull());
  second->close();  // the title bar's close box
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(other.isNull());
}

// --- the real reader -------------------------------------------------------

class HuangdaoFile : public Huangdao {
 protected:
  void SetUp() override {
    services = std::make_unique<tongshu::Services>(tongshu::Services{fake.messages, fake.links, fake.clock,
                                                                     fake.presenter, files});
    w = open(*services);
  }
  FileDatabase files;
  std::unique_ptr<tongshu::Services> services;
};

TEST_F(HuangdaoFile, FixtureRowWithBlanksAndNullsAndADoubledDate) {
  using jetwrite::Cell;
  const Cell null = std::nullopt;
  files.path = WriteFile(
      "blanks.dll",
      jetwrite::WriteDatabase({HuangdaoTable({
          {"2011-03-05", "  初一 兔年 \t", " 辛卯年 ", null, "", "   ", "\t己\r\n", null, "动土", null, " 开市"},
          {"2011-03-06", "first", "a", "b", "c", "d", "e", "f", "g", "h", "i"},
          {"2011-03-06", "second", "A", "B", "C", "D", "E", "F", "G", "H", "I"},
      })}));
  lookup("2011", "3", "5");
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-3-5  初一 兔年"));
  EXPECT_EQ(memo(), (QStringList{"岁次:辛卯年", "", "每日胎神占方:", "", "五行:", "", "冲:", "", "彭祖百忌:己", "",
                                 "吉神宜趋:", "", "宜:动土", "", "凶神宜忌:", "", "忌:开市"}));
  lookup("2011", "03", "06");
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-03-06  first"));
  EXPECT_EQ(memo().front(), QStringLiteral("岁次:a"));
  EXPECT_EQ(memo().back(), QStringLiteral("忌:i"));
  // A date of the file's years without a row.
  lookup("2011", "03", "07");
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-03-06  first"));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_EQ(files.statements.size(), 3u);
}

TEST_F(HuangdaoFile, MissingOrDamagedFileReachesTheErrorReportWithTheReadersText) {
  files.path = WriteFile("good.dll", jetwrite::WriteDatabase({HuangdaoTable({
                                         {"2011-03-05", "n", "u", "t", "w", "c", "p", "s", "y", "x", "j"},
                                     })}));
  lookup("2011", "03", "05");
  ASSERT_EQ(w->Label1->text(), QStringLiteral("2011-03-05  n"));
  const QStringList lines = memo();

  struct Case {
    std::string path;
    QString messageStart;
  };
  std::vector<std::uint8_t> garbage(8192, 0x5A);
  const std::string noTable = WriteFile("notable.dll", jetwrite::WriteDatabase({}));
  const Case cases[] = {
      {(TempDir() / "absent.dll").string(), QStringLiteral("数据文件不存在")},
      {WriteFile("garbage.dll", garbage), QString()},
      {noTable, QStringLiteral("数据表不存在：huangdao")},
  };
  for (const Case& c : cases) {
    fake.messages.clear();
    files.path = c.path;
    lookup("2011", "03", "05");
    ASSERT_EQ(fake.messages.errors.size(), 1) << c.path;
    EXPECT_FALSE(fake.messages.errors[0].isEmpty());
    EXPECT_TRUE(fake.messages.errors[0].startsWith(c.messageStart)) << fake.messages.errors[0].toStdString();
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-03-05  n"));
    EXPECT_EQ(memo(), lines);
    EXPECT_TRUE(w->isVisible());
  }
}

TEST_F(HuangdaoFile, BundledTableDaysAcrossItsRange) {
  files.path = tongshu::ExecutableDir() + "KorBirth.dll";
  lookup("2011", "03", "05");
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2011-03-05  ") + QString::fromUtf8(kOverview20110305));
  EXPECT_EQ(memo(), (QStringList{"岁次:辛卯年 庚寅月 己未日", "", "每日胎神占方:占门厕 外正东", "", "五行:天上火", "",
                                 "冲:冲牛(癸丑)煞西", "", "彭祖百忌:己不破券二比并亡 未不服药毒气入肠", "",
                                 "吉神宜趋:敬安 玉堂", "", "宜:动土 入殓 嫁娶 移柩 安葬 破土", "", "凶神宜忌:小耗 八专",
                                 "", "忌:开市 作灶 安床 入宅 上梁 裁衣"}));

  lookup("2012", "2", "29");
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2012-2-29  ") + QString::fromUtf8(kOverview20120229));
  EXPECT_EQ(memo().first(), QStringLiteral("岁次:壬辰年 壬寅月 庚申日"));

  for (auto [y, m, d, lunar] : {std::tuple{"1901", "01", "01", "农历冬月十一 鼠年"},
                                {"2050", "12", "31", "农历冬月十八 马年"}, {"2033", "12", "22", "农历闰冬月初一"}}) {
    lookup(y, m, d);
    EXPECT_TRUE(w->Label1->text().startsWith(QStringLiteral("%1-%2-%3  %4").arg(y, m, d, lunar)))
        << w->Label1->text().toStdString();
    EXPECT_EQ(memo().size(), 17);
  }
  // Outside the table: no message, no change.
  const QString shown = w->Label1->text();
  for (auto [y, m, d] : {std::tuple{"1900", "12", "31"}, {"2051", "01", "01"}}) {
    lookup(y, m, d);
    EXPECT_EQ(w->Label1->text(), shown);
  }
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
}

TEST_F(HuangdaoFile, WindowUsesTheBundledFileThroughItsConnectionString) {
  // The production reader, handed the window's own connection string.
  tongshu::db::MdbDatabase reader;
  tongshu::Services real{fake.messages, fake.links, fake.clock, fake.presenter, reader};
  TFormHuangdao* mine = open(real);
  mine->SYear->setEditText(QStringLiteral("2011"));
  mine->SMonth->setEditText(QStringLiteral("03"));
  mine->Sday->setEditText(QStringLiteral("05"));
  mine->RzBitBtn1Click();
  EXPECT_TRUE(fake.messages.errors.isEmpty()) << fake.messages.errors.join(u' ').toStdString();
  EXPECT_EQ(mine->Label1->text(), QStringLiteral("2011-03-05  ") + QString::fromUtf8(kOverview20110305));
}

}  // namespace

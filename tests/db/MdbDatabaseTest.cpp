// The reader against files written by the project's writer: lookups, values
// as stored, and the errors a caller sees.
#include <sys/stat.h>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "db/DataSource.h"
#include "db/MdbDatabase.h"
#include "tests/db/DbFixture.h"
#include "tests/support/BundledDays.h"

namespace tongshu::db {
namespace {

using namespace tongshu::db::testing;

std::string Conn(const std::string& path) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=True";
}

std::string ErrorOf(MdbDatabase& db, const std::string& conn, const std::string& sql) {
  try {
    db.firstRow(conn, sql);
  } catch (const DbError& e) {
    return e.what();
  }
  return "(no error)";
}

bool Contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

// A small day table around the leap day and a row with a time of day.
class DayTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    jetwrite::Table t{"huangdao", {Date("gn"), Text("nn"), Text("yi")}, {}};
    t.rows = {
        {"2011-03-04", "初四", "祭祀"},
        {"2011-03-05", tongshu::testing::kOverview20110305, "动土 入殓"},
        {"2012-02-28", "二十八", "a"},
        {"2012-02-29", "闰日", "b"},
        {"2012-03-01", "三月一", "c"},
        {"2013-06-01 18:30:00", "傍晚", "d"},
        {"1899-12-29 06:00:00", "纪元前一日", std::nullopt},
        {"2011-03-05", "第二行同日", "不应读到"},
    };
    path_ = WriteFixture("days.dll", {t});
  }
  static inline std::string path_;
  MdbDatabase db_;
};

TEST_F(DayTable, TheAlmanacStatementFindsItsDay) {
  const auto row = db_.firstRow(Conn(path_), "Select top 1 * from huangdao where gn = #2011-3-5#");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->names, (std::vector<std::string>{"gn", "nn", "yi"}));
  EXPECT_EQ(row->field("nn"), tongshu::testing::kOverview20110305);
  EXPECT_EQ(row->field(std::size_t{2}), "动土 入殓");
  EXPECT_EQ(row->field("gn"), "2011-03-05");
}

struct DayCase {
  const char* literal;
  std::optional<const char*> nn;
};

TEST_F(DayTable, EachDateLiteralMatchesExactlyItsOwnDay) {
  for (const DayCase& c : {DayCase{"#2012-2-28#", "二十八"}, DayCase{"#2012-2-29#", "闰日"},
                           DayCase{"#2012-03-01#", "三月一"}, DayCase{"#2011-3-4#", "初四"},
                           DayCase{"#2013-6-1#", "傍晚"},  // a time of day still belongs to its date
                           DayCase{"#1899-12-29#", "纪元前一日"}, DayCase{"#2013-6-2#", std::nullopt},
                           DayCase{"#2011-3-6#", std::nullopt}, DayCase{"#2030-1-1#", std::nullopt}}) {
    const auto row = db_.firstRow(Conn(path_), std::string("select nn from huangdao where gn = ") + c.literal);
    ASSERT_EQ(row.has_value(), c.nn.has_value()) << c.literal;
    if (row) {
      EXPECT_EQ(row->field(std::size_t{0}), *c.nn) << c.literal;
    }
  }
}

TEST_F(DayTable, TheFirstRowWrittenWinsForADuplicateKey) {
  const auto row = db_.firstRow(Conn(path_), "select nn from huangdao where gn = #2011-03-05#");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("nn"), tongshu::testing::kOverview20110305);
}

TEST_F(DayTable, DateTimeValuesShowTheirTimeAndNullStaysNull) {
  auto row = db_.firstRow(Conn(path_), "select gn, yi from huangdao where gn = #2013-6-1#");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("gn"), "2013-06-01 18:30:00");
  row = db_.firstRow(Conn(path_), "select gn, yi from huangdao where gn = #1899-12-29#");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("gn"), "1899-12-29 6:00:00");
  EXPECT_TRUE(row->isNull(1));
  EXPECT_EQ(row->field("yi"), "");
}

TEST_F(DayTable, ANumberComparesWithTheDaySerial) {
  auto row = db_.firstRow(Conn(path_), "select nn from huangdao where gn = 40968.0");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("nn"), "闰日");
  // A number is the exact value, so the evening row does not match its midnight.
  EXPECT_FALSE(db_.firstRow(Conn(path_), "select nn from huangdao where gn = 41426"));
}

TEST_F(DayTable, NamesAndKeywordsIgnoreCase) {
  const auto row = db_.firstRow(Conn(path_), "SELECT NN, Yi FROM HuangDao WHERE GN = #2012-2-29#;");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->names, (std::vector<std::string>{"nn", "yi"}));
  EXPECT_EQ(row->field("NN"), "闰日");
}

#ifndef _WIN32
// Inside the windows the C library follows the user's locale. Under Turkish
// rules tolower('I') is the dotless i, which must not split "ID" from "id".
TEST_F(DayTable, NamesAndKeywordsIgnoreAsciiCaseUnderATurkishLocale) {
  const auto dir = FixtureDir() / "locales";
  const std::string make = "localedef -c -i tr_TR -f ISO-8859-9 " + (dir / "tr_TR.ISO-8859-9").string() + " 2>/dev/null";
  std::filesystem::create_directories(dir);
  ASSERT_EQ(std::system(make.c_str()) & 0xFF00, 0) << make;  // localedef exits 1 for warnings only
  ::setenv("LOCPATH", dir.c_str(), 1);
  struct Restore {
    ~Restore() {
      std::setlocale(LC_ALL, "C");
      ::unsetenv("LOCPATH");
    }
  } restore;
  ASSERT_NE(std::setlocale(LC_ALL, "tr_TR.ISO-8859-9"), nullptr);
  ASSERT_EQ(std::tolower('I'), 0xFD);
  const auto row = db_.firstRow(Conn(path_), "SELECT NN, YI FROM HUANGDAO WHERE GN = #2012-2-29#;");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("YI"), "b");
}
#endif

TEST_F(DayTable, StatementErrorsNameTableOrColumn) {
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select * from shouji where num = '1'"), "数据表不存在：shouji"));
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select * from huangdao where gx = #2011-3-5#"), "字段不存在：gx"));
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select nn, ji from huangdao where gn = #2011-3-5#"),
                       "字段不存在：ji"));
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select * from huangdao where gn = '2011-3-5'"), "类型不匹配"));
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select * from huangdao where nn = #2011-3-5#"), "类型不匹配"));
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select * from huangdao where nn = 5"), "类型不匹配"));
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select * from huangdao"), "不支持的查询语句"));
  // The system catalogue is not a table a statement may read.
  EXPECT_TRUE(Contains(ErrorOf(db_, Conn(path_), "select * from MSysObjects where Name = 'x'"), "数据表不存在"));
}

TEST(MdbDatabaseKeys, ADateKeyAfterOtherFixedColumnsAndNullKeys) {
  // A NULL date is stored as zero bytes, which read as 1899-12-30: it must not match that day.
  jetwrite::Table t{"t", {Text("name"), Date("first"), Date("second")}, {}};
  t.rows = {{"null", "2011-03-05", std::nullopt}, {"epoch", std::nullopt, "1899-12-30"}, {"b", "2011-03-05", "2011-03-06"}};
  const std::string path = WriteFixture("keys.dll", {t});
  MdbDatabase db;
  EXPECT_EQ(db.firstRow(Conn(path), "select name from t where second = #2011-3-6#")->field("name"), "b");
  EXPECT_EQ(db.firstRow(Conn(path), "select name from t where first = #2011-3-5#")->field("name"), "null");
  EXPECT_EQ(db.firstRow(Conn(path), "select name from t where second = #1899-12-30#")->field("name"), "epoch");
  EXPECT_EQ(db.firstRow(Conn(path), "select name from t where first = #1899-12-30#"), std::nullopt);
  EXPECT_EQ(db.firstRow(Conn(path), "select name from t where second = #2011-3-5#"), std::nullopt);
}

// Text, memo and NULL handling in a table keyed by text.
class TextTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string big;
    for (int i = 0; i < 9000; ++i) big += i % 100 == 99 ? "\n" : "长";  // 27 KB of UTF-8, 18 KB stored
    bigMemo_ = big;
    std::string mid(1500, 'x');
    midMemo_ = mid + "末尾";  // too long to stay in the row, short enough for one overflow row
    jetwrite::Table t{"shouji", {Text("num", 10), Text("title", 100), Text("jx", 10), Memo("content")}, {}};
    t.rows = {
        {"0", "大展鸿图，信用得固，名利双收，可获成功", "吉", "两句。三句。"},
        {"21", "秋草逢霜，怀才不遇，忧愁怨苦，事不如意", "凶", "  前后有空格  "},
        {"22", "", std::nullopt, std::nullopt},
        {"23", "Ascii only, compressed", "x", "short ascii memo"},
        {"24", "扩展区字符𠀀在此", "吉", "𠀀"},
        {"25", "big", "吉", big},
        {"26", "mid", "吉", mid + "末尾"},
        {"Key", "letters", "吉", ""},
        {"it's", "quote", "吉", "x"},
    };
    path_ = WriteFixture("shouji.dll", {t});
  }
  static inline std::string path_;
  static inline std::string bigMemo_;
  static inline std::string midMemo_;
  MdbDatabase db_;
};

TEST_F(TextTable, TheMobileNumberStatementReadsByPosition) {
  const auto row = db_.firstRow(Conn(path_), "select title,jx,content from shouji where num = '21'");
  ASSERT_TRUE(row);
  ASSERT_EQ(row->size(), 3u);
  EXPECT_EQ(row->field(std::size_t{0}), "秋草逢霜，怀才不遇，忧愁怨苦，事不如意");
  EXPECT_EQ(row->field(std::size_t{1}), "凶");
  EXPECT_EQ(row->field(std::size_t{2}), "  前后有空格  ");  // no trimming at this level
}

TEST_F(TextTable, EmptyTextAndNullAreDistinct) {
  const auto row = db_.firstRow(Conn(path_), "select title, jx, content from shouji where num = '22'");
  ASSERT_TRUE(row);
  EXPECT_FALSE(row->isNull(0));
  EXPECT_EQ(row->field("title"), "");
  EXPECT_TRUE(row->isNull(1));
  EXPECT_TRUE(row->isNull(2));
  EXPECT_EQ(row->field("content"), "");
}

struct ValueCase {
  const char* num;
  const char* column;
  std::string expected;
};

TEST_F(TextTable, ValuesComeBackExactlyAsStored) {
  for (const ValueCase& c : {ValueCase{"23", "title", "Ascii only, compressed"},
                             ValueCase{"23", "content", "short ascii memo"},
                             ValueCase{"24", "title", "扩展区字符𠀀在此"},  // outside the BMP, via surrogates
                             ValueCase{"24", "content", "𠀀"},
                             ValueCase{"25", "content", bigMemo_},  // chained overflow rows, over 16 KB
                             ValueCase{"26", "content", midMemo_},  // one overflow row
                             ValueCase{"0", "content", "两句。三句。"},
                             ValueCase{"Key", "content", ""}}) {
    const auto row = db_.firstRow(Conn(path_), std::string("select * from shouji where num = '") + c.num + "'");
    ASSERT_TRUE(row) << c.num;
    EXPECT_EQ(row->field(c.column), c.expected) << c.num << " " << c.column;
  }
}

TEST_F(TextTable, TextKeysMatchWholeValuesIgnoringAsciiCase) {
  EXPECT_FALSE(db_.firstRow(Conn(path_), "select * from shouji where num = '2'"));
  EXPECT_FALSE(db_.firstRow(Conn(path_), "select * from shouji where num = '210'"));
  EXPECT_FALSE(db_.firstRow(Conn(path_), "select * from shouji where num = ' 21'"));
  EXPECT_FALSE(db_.firstRow(Conn(path_), "select * from shouji where num = '79'"));
  ASSERT_TRUE(db_.firstRow(Conn(path_), "select * from shouji where num = 'KEY'"));
  const auto quoted = db_.firstRow(Conn(path_), "select title from shouji where num = 'it''s'");
  ASSERT_TRUE(quoted);
  EXPECT_EQ(quoted->field("title"), "quote");
}

TEST_F(TextTable, AMemoCanBeTheKey) {
  const auto row = db_.firstRow(Conn(path_), "select num from shouji where content = '两句。三句。'");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("num"), "0");
}

TEST(MdbDatabaseFiles, MissingFileDirectoryAndFifoGiveErrorsNamingThePath) {
  MdbDatabase db;
  const std::string sql = "select * from t where a = 1";
  const std::string missing = (FixtureDir() / "无此文件.dll").string();
  // As the connection string names it: with / for \ on Windows.
  const std::string named = DataSourcePathOf(Conn(missing));
  EXPECT_TRUE(Contains(ErrorOf(db, Conn(missing), sql), "数据文件不存在：" + named));
  EXPECT_TRUE(Contains(ErrorOf(db, Conn(FixtureDir().string()), sql), "不是普通文件"));
#ifdef _WIN32
  // Windows' FIFO is a named pipe, which a reader would wait on just the same.
  const std::string name = "tongshu-db-tests-" + std::to_string(GetCurrentProcessId());
  const std::wstring wide(name.begin(), name.end());
  const HANDLE pipe = CreateNamedPipeW((L"\\\\.\\pipe\\" + wide).c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE,
                                       PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Contains(ErrorOf(db, Conn("\\\\.\\pipe\\" + name), sql), "不是普通文件"));
  CloseHandle(pipe);
#else
  const std::string fifo = (FixtureDir() / "fifo.dll").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(Contains(ErrorOf(db, Conn(fifo), sql), "不是普通文件"));  // and does not block
#endif
}

TEST(MdbDatabaseFiles, UnreadableFileIsReported) {
  const std::string path = WriteFixture("locked.dll", {{"t", {Text("a")}, {{"1"}}}});
#ifdef _WIN32
  // Held open with no sharing, as by a program that locks it.
  const HANDLE lock = CreateFileW(std::filesystem::path(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
#else
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  ::chmod(path.c_str(), 0);
#endif
  MdbDatabase db;
  EXPECT_TRUE(Contains(ErrorOf(db, Conn(path), "select * from t where a = '1'"), "无法读取数据文件"));
#ifdef _WIN32
  CloseHandle(lock);
#endif
}

TEST(MdbDatabaseFiles, ChinesePathWithBlanks) {
  const std::filesystem::path dir = FixtureDir() / "吉星 通书";
  std::filesystem::create_directories(dir);
  const auto bytes = jetwrite::WriteDatabase({{"t", {Text("a"), Text("b")}, {{"1", "一"}}}});
  WriteBytes("吉星 通书/dream.dll", bytes);
  MdbDatabase db;
  const auto row = db.firstRow("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dir.string() +
                                   "/\\dream.dll;Persist Security Info=True",
                               "select b from t where a = '1'");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("b"), "一");
}

// Column names come from libmdb's own conversion (iconv on Linux, the port
// layer of third_party/mdbtools on Windows): the same UTF-8 on both.
TEST(MdbDatabaseFiles, ChineseColumnNames) {
  const std::string path = WriteFixture("columns.dll", {{"t", {Text("a"), Text("名称"), Memo("说明")}, {{"1", "吉", "星"}}}});
  MdbDatabase db;
  const auto row = db.firstRow(Conn(path), "select * from t where a = '1'");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->names, (std::vector<std::string>{"a", "名称", "说明"}));
  EXPECT_EQ(row->field("名称"), "吉");
  EXPECT_EQ(row->field("说明"), "星");
}

TEST(MdbDatabaseFiles, AReplacedFileIsReadAfresh) {
  MdbDatabase db;
  const std::string path = WriteFixture("replaced.dll", {{"t", {Text("a"), Text("b")}, {{"1", "old"}}}});
  ASSERT_EQ(db.firstRow(Conn(path), "select b from t where a = '1'")->field("b"), "old");
  // Same size and, on a coarse clock, possibly the same time: the inode differs.
  const std::string other = WriteFixture("replacement.dll", {{"t", {Text("a"), Text("b")}, {{"1", "new"}}}});
  std::filesystem::rename(other, path);
  ASSERT_EQ(db.firstRow(Conn(path), "select b from t where a = '1'")->field("b"), "new");
  std::filesystem::remove(path);
  EXPECT_TRUE(Contains(ErrorOf(db, Conn(path), "select b from t where a = '1'"), "数据文件不存在"));
}

TEST(MdbDatabaseFiles, AFileWithoutUserTables) {
  MdbDatabase db;
  const std::string path = WriteFixture("KorFile.dll", {});
  EXPECT_TRUE(Contains(ErrorOf(db, Conn(path), "select * from t where a = 1"), "数据表不存在：t"));
}

TEST(MdbDatabaseFiles, SeveralTablesInOneFile) {
  MdbDatabase db;
  const std::string path = WriteFixture(
      "two.dll", {{"first", {Text("k"), Text("v")}, {{"a", "1"}}}, {"second", {Text("k"), Memo("v")}, {{"a", "2"}}}});
  EXPECT_EQ(db.firstRow(Conn(path), "select v from first where k = 'a'")->field("v"), "1");
  EXPECT_EQ(db.firstRow(Conn(path), "select v from second where k = 'a'")->field("v"), "2");
}

// 55,000 rows over thousands of pages: the last row and an absent key.
TEST(MdbDatabaseLarge, FindsTheLastOfManyRowsAcrossThousandsOfPages) {
  jetwrite::Table t{"big", {Date("gn"), Text("filler"), Text("n")}, {}};
  const std::string filler(120, 'z');
  for (int i = 0; i < 55000; ++i) {
    const int y = 1901 + i / 365, doy = i % 365;
    static constexpr int kLen[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int m = 0, d = doy;
    while (d >= kLen[m]) d -= kLen[m++];
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", y, m + 1, d + 1);
    t.rows.push_back({std::string(date), filler + "文字" + std::to_string(i), std::to_string(i)});
  }
  const std::string path = WriteFixture("large.dll", {t});
  ASSERT_GT(std::filesystem::file_size(path) / 4096, 2000u);
  MdbDatabase db;
  const auto last = db.firstRow(Conn(path), "select n from big where gn = #2051-09-07#");
  ASSERT_TRUE(last);
  EXPECT_EQ(last->field("n"), "54999");
  const auto first = db.firstRow(Conn(path), "select n from big where gn = #1901-1-1#");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->field("n"), "0");
  EXPECT_FALSE(db.firstRow(Conn(path), "select n from big where gn = #1900-12-31#"));
  EXPECT_EQ(db.firstRow(Conn(path), "select n from big where n = '30000'")->field("n"), "30000");
}

}  // namespace
}  // namespace tongshu::db

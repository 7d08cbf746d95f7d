// The three databases the build writes beside the executables.
#include <gtest/gtest.h>

#include <chrono>

#include "calendar/LunarCalendar.h"
#include "db/MdbDatabase.h"
#include "numerology/ShuliTable.h"
#include "tests/support/BundledDays.h"
#include "tools/jetwrite/Tsv.h"

namespace tongshu::db {
namespace {

const std::string kDir = TONGSHU_DATA_DIR;
const std::string kBirth = kDir + "/KorBirth.dll";
const std::string kDream = kDir + "/dream.dll";
const std::string kFile = kDir + "/KorFile.dll";

std::optional<Record> Day(MdbDatabase& db, const std::string& date) {
  return db.firstRowOf(kBirth, ParseSelect("Select top 1 * from huangdao where gn = #" + date + "#"));
}

TEST(BundledKorBirth, TheDayOfTheExamples) {
  MdbDatabase db;
  const auto row = Day(db, "2011-3-5");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("nn"), tongshu::testing::kOverview20110305);
  EXPECT_EQ(row->field("suici"), "辛卯年 庚寅月 己未日");
  EXPECT_EQ(row->field("tszf"), "占门厕 外正东");
  EXPECT_EQ(row->field("wuhang"), "天上火");
  EXPECT_EQ(row->field("cong"), "冲牛(癸丑)煞西");
  EXPECT_EQ(row->field("pzbj"), "己不破券二比并亡 未不服药毒气入肠");
  EXPECT_EQ(row->names, (std::vector<std::string>{"gn", "nn", "suici", "tszf", "wuhang", "cong", "pzbj", "jsyq", "yi",
                                                  "xsyq", "ji"}));
}

struct EdgeDay {
  const char* date;
  std::optional<const char*> nnStart;
};

TEST(BundledKorBirth, RangeEndsLeapDayLeapMonthAndTermDay) {
  MdbDatabase db;
  for (const EdgeDay& c : {EdgeDay{"1900-12-31", std::nullopt}, EdgeDay{"1901-1-1", "农历冬月十一 鼠年 星期二"},
                           EdgeDay{"2050-12-31", "农历冬月十八 马年 星期六"}, EdgeDay{"2051-1-1", std::nullopt},
                           EdgeDay{"2012-2-29", "农历二月初八 龙年 星期三"}, EdgeDay{"2012-5-21", "农历闰四月初一"},
                           EdgeDay{"2033-12-22", "农历闰冬月初一"}}) {
    const auto row = Day(db, c.date);
    ASSERT_EQ(row.has_value(), c.nnStart.has_value()) << c.date;
    if (row) {
      EXPECT_EQ(row->field("nn").rfind(*c.nnStart, 0), 0u) << c.date << ": " << row->field("nn");
    }
  }
  const auto term = Day(db, "2011-3-6");
  ASSERT_TRUE(term);
  EXPECT_EQ(term->field("nn").substr(term->field("nn").size() - std::string(" 惊蛰").size()), " 惊蛰");
}

// The source table, row by row: one row a day, values trimmed, and the lunar
// date of `nn` equal to the calendar engine's.
TEST(BundledHuangdaoSource, EveryDayOnceInOrderAgreeingWithTheCalendarEngine) {
  const jetwrite::Table t = jetwrite::ParseTsv(
      "huangdao", jetwrite::ReadMaybeGzipped(TONGSHU_DATA_SOURCE "/huangdao.tsv.gz"), "huangdao.tsv.gz");
  ASSERT_EQ(t.rows.size(), 54787u);
  ASSERT_EQ(t.columns.size(), 11u);
  using namespace std::chrono;
  sys_days day = sys_days{year{1901} / January / 1};
  int mismatches = 0;
  for (const jetwrite::Row& r : t.rows) {
    const year_month_day ymd{day};
    char expected[32];
    std::snprintf(expected, sizeof expected, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    ASSERT_EQ(*r[0], expected);
    for (std::size_t c = 1; c < r.size(); ++c) {
      ASSERT_TRUE(r[c] && !r[c]->empty()) << expected << " " << t.columns[c].name;
      ASSERT_NE(r[c]->front(), ' ') << expected;
      ASSERT_NE(r[c]->back(), ' ') << expected;
    }
    const int code = calendar::LunarDateOf(ymd);
    const std::string lunar = "农历" + calendar::LunarMonthNameOfCode(code) + (code < 0 ? "月" : "") +
                              calendar::LunarDayNameOfCode(code) + " ";
    if (r[1]->rfind(lunar, 0) != 0 && ++mismatches <= 5) ADD_FAILURE() << expected << ": " << *r[1] << " vs " << lunar;
    day += days{1};
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(BundledDream, EightyRowsWhoseTitleAndVerdictAreTheEightyOneTableEntries) {
  MdbDatabase db;
  for (int n = 0; n < 80; ++n) {
    const auto row = db.firstRowOf(
        kDream, ParseSelect("select title,jx,content from shouji where num = '" + std::to_string(n) + "'"));
    ASSERT_TRUE(row) << n;
    EXPECT_EQ(row->field(std::size_t{0}), numerology::kShuliTable[n].fortune) << n;
    EXPECT_EQ(row->field(std::size_t{1}), numerology::kShuliTable[n].verdict) << n;
    const std::string content = row->field(std::size_t{2});
    int sentences = 0;
    for (auto at = content.find("。"); at != std::string::npos; at = content.find("。", at + 1)) ++sentences;
    EXPECT_GE(sentences, 2) << n << ": " << content;
    EXPECT_LE(sentences, 4) << n << ": " << content;
  }
  EXPECT_FALSE(db.firstRowOf(kDream, ParseSelect("select title from shouji where num = '80'")));
  EXPECT_FALSE(db.firstRowOf(kDream, ParseSelect("select title from shouji where num = '05'")));
}

TEST(BundledKorFile, IsAnAccessFileWithoutUserTables) {
  MdbDatabase db;
  try {
    db.firstRowOf(kFile, ParseSelect("select * from huangdao where gn = #2011-3-5#"));
    FAIL() << "a table was found";
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("数据表不存在"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace tongshu::db

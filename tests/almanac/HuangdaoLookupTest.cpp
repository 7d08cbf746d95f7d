// The almanac's date check, statement and result formatting, without a window.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "almanac/HuangdaoLookup.h"
#include "db/Database.h"
#include "db/SelectStatement.h"

namespace tongshu::almanac {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

year_month_day Ymd(int y, unsigned m, unsigned d) { return year_month_day{year{y}, month{m}, day{d}}; }

TEST(HuangdaoDateText, RealDatesPassWithOrWithoutLeadingZeros) {
  struct Case {
    const char* text;
    year_month_day date;
  };
  const Case cases[] = {
      {"2011-3-5", Ymd(2011, 3, 5)},     {"2011-03-05", Ymd(2011, 3, 5)},  {"2012-02-29", Ymd(2012, 2, 29)},
      {"2000-2-29", Ymd(2000, 2, 29)},   {"1901-01-01", Ymd(1901, 1, 1)},  {"2050-12-31", Ymd(2050, 12, 31)},
      {"2011-4-30", Ymd(2011, 4, 30)},   {"0100-1-1", Ymd(100, 1, 1)},     {"9999-12-31", Ymd(9999, 12, 31)},
      {"2030-1-1", Ymd(2030, 1, 1)},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseDateText(c.text);
    ASSERT_TRUE(parsed) << c.text;
    EXPECT_EQ(*parsed, c.date) << c.text;
  }
}

TEST(HuangdaoDateText, EverythingElseIsRefused) {
  const char* const refused[] = {
      // days the month does not have, months outside 1..12, century leap rules
      "2011-02-30", "2011-2-29", "1900-2-29", "2100-02-29", "2011-4-31", "2011-13-1", "2011-0-5", "2011-1-0",
      "2011-00-00",
      // years a date literal cannot hold, too many digits
      "99-3-5", "0099-1-1", "0-1-1", "20110-3-5", "2011-003-5", "2011-3-005",
      // shape
      "", "-", "--", "2011", "2011-3", "2011-3-", "-3-5", "2011--5", "2011-3-5-1", "2011-3-5-", "2011/3/5",
      "2011.3.5", "2011-3-5 ", " 2011-3-5", "2011 -3-5", "2011- 3-5", "+2011-3-5", "2011-+3-5", "2011--3-5",
      "2011-3--5", "0x7DB-3-5", "2011-3-5\n",
      // full-width digits and other scripts
      "\xEF\xBC\x92\xEF\xBC\x90\xEF\xBC\x91\xEF\xBC\x91-3-5", "二〇一一-3-5",
      // text that would end or extend the statement
      "2011-3-5#", "2011-3-5# or 1=1", "#2011-3-5", "2011-3-5'", "2011-3-5;", "2011-3-5--", "2011-3-5; drop",
      "2011'-3-5", "2011-3-5#--",
  };
  for (const char* text : refused) {
    EXPECT_FALSE(ParseDateText(text)) << '"' << text << '"';
    EXPECT_FALSE(HuangdaoStatement(text)) << '"' << text << '"';
  }
}

TEST(HuangdaoDateText, StatementKeepsTheTextAsTyped) {
  EXPECT_EQ(HuangdaoStatement("2011-3-5"), "Select top 1 * from huangdao where gn = #2011-3-5#");
  EXPECT_EQ(HuangdaoStatement("2011-03-05"), "Select top 1 * from huangdao where gn = #2011-03-05#");
  EXPECT_EQ(HuangdaoStatement("2012-02-29"), "Select top 1 * from huangdao where gn = #2012-02-29#");
  EXPECT_EQ(JoinDateText("2011", "3", "5"), "2011-3-5");
  EXPECT_EQ(JoinDateText("2011", "03", "05"), "2011-03-05");
}

// Every day the bundled table holds, in both ways of writing it, gives a
// statement that the reader takes for that same day.
TEST(HuangdaoDateText, EveryDayOfTheTableReachesTheReaderAsThatDay) {
  using namespace std::chrono;
  int checked = 0;
  for (sys_days d = sys_days{Ymd(1901, 1, 1)}; d <= sys_days{Ymd(2050, 12, 31)}; d += days{1}) {
    const year_month_day ymd{d};
    const int y = static_cast<int>(ymd.year());
    const unsigned m = static_cast<unsigned>(ymd.month()), dd = static_cast<unsigned>(ymd.day());
    const std::string plain = std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(dd);
    const std::string padded =
        std::to_string(y) + (m < 10 ? "-0" : "-") + std::to_string(m) + (dd < 10 ? "-0" : "-") + std::to_string(dd);
    for (const std::string& text : {plain, padded}) {
      ASSERT_EQ(ParseDateText(text), ymd) << text;
      const auto sql = HuangdaoStatement(text);
      ASSERT_TRUE(sql) << text;
      const db::SelectStatement st = db::ParseSelect(*sql);
      ASSERT_EQ(st.value.kind, db::Literal::Kind::Date) << text;
      ASSERT_EQ(st.value.daySerial, (d - sys_days{Ymd(1899, 12, 30)}).count()) << text;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2 * 54787);
}

// Random texts near a date (digit runs of any length joined by "-", then a
// few characters replaced, inserted or removed): whatever the check lets
// through is a plain date literal that the reader parses without complaint, so
// no typed text can change the statement or make the reader refuse it.
TEST(HuangdaoDateText, NothingButADateLiteralGetsThrough) {
  const std::string alphabet = "0123456789-#'; \t*/+";
  std::mt19937 random(20110305);
  const auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  int accepted = 0;
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    for (int part = 0; part < 3; ++part) {
      if (part > 0) text += '-';
      for (std::size_t n = below(part == 0 ? 6 : 4); n > 0; --n) text += static_cast<char>('0' + below(10));
    }
    for (std::size_t edits = below(3); edits > 0; --edits) {
      const char c = alphabet[below(alphabet.size())];
      const std::size_t at = below(text.size() + 1);
      switch (below(3)) {
        case 0: text.insert(at, 1, c); break;
        case 1: if (at < text.size()) text[at] = c; break;
        default: if (at < text.size()) text.erase(at, 1); break;
      }
    }
    const auto sql = HuangdaoStatement(text);
    if (!sql) continue;
    ++accepted;
    db::SelectStatement st;
    ASSERT_NO_THROW(st = db::ParseSelect(*sql)) << *sql;
    ASSERT_EQ(st.value.kind, db::Literal::Kind::Date) << *sql;
    EXPECT_EQ(st.value.source, "#" + text + "#");
    EXPECT_EQ(st.table, "huangdao");
    EXPECT_EQ(st.whereColumn, "gn");
    EXPECT_EQ(st.top, 1);
    EXPECT_TRUE(st.columns.empty());
  }
  EXPECT_GT(accepted, 1000);  // the generator does produce dates
}

db::Record Row(std::vector<std::pair<std::string, std::optional<std::string>>> cells) {
  db::Record r;
  for (auto& [name, value] : cells) {
    r.names.push_back(name);
    r.values.push_back(value);
  }
  return r;
}

// The shown day of a reader's record, fetched as the window and the command
// line fetch it.
HuangdaoDay FormatHuangdaoDay(std::string_view dateText, const db::Record& record) {
  return almanac::FormatHuangdaoDay(dateText,
                                    HuangdaoRowOf([&](std::string_view column) { return record.field(column); }));
}

// The three boxes: each trimmed, the first empty one named, then the date.
TEST(HuangdaoBoxes, ChecksRunYearMonthDayThenTheDate) {
  struct Case {
    const char *year, *month, *day;
    std::string_view message;
    const char* dateText;
  };
  const Case cases[] = {
      {"", "", "", kNoYearMessage, ""},
      {" \t", "03", "05", kNoYearMessage, ""},
      {"2011", "", "05", kNoMonthMessage, ""},
      {"2011", "03", "  ", kNoDayMessage, ""},
      {"2011", "02", "30", kInvalidDateMessage, "2011-02-30"},
      {"2011", "3#", "5", kInvalidDateMessage, "2011-3#-5"},
      {" 2011 ", "3", "5\r\n", "", "2011-3-5"},
      {"2012", "02", "29", "", "2012-02-29"},
  };
  for (const Case& c : cases) {
    const HuangdaoRequest r = CheckHuangdaoBoxes(c.year, c.month, c.day);
    EXPECT_EQ(r.message, c.message) << c.year << "|" << c.month << "|" << c.day;
    EXPECT_EQ(r.ok(), c.message.empty());
    if (r.ok()) {
      EXPECT_EQ(r.dateText, c.dateText);
      EXPECT_EQ(r.statement, HuangdaoStatement(c.dateText));
    } else {
      EXPECT_EQ(r.statement, "");
    }
  }
}

TEST(HuangdaoOverviewText, PartsOfTheOverviewAndTheClash) {
  const HuangdaoOverview plain = ParseOverview("农历二月初一 兔年 星期六 玉堂黄道 执日 女土蝠");
  EXPECT_EQ(plain.lunarDate, "二月初一");
  EXPECT_EQ(plain.zodiacYear, "兔年");
  EXPECT_EQ(plain.weekday, "星期六");
  EXPECT_EQ(plain.dayStar, "玉堂黄道");
  EXPECT_EQ(plain.officer, "执日");
  EXPECT_EQ(plain.mansion, "女土蝠");
  EXPECT_EQ(plain.solarTerm, "");
  const HuangdaoOverview term = ParseOverview(" 农历闰四月初一  龙年 星期一 天刑黑道 满日 角木蛟 小满 ");
  EXPECT_EQ(term.lunarDate, "闰四月初一");
  EXPECT_EQ(term.officer, "满日");
  EXPECT_EQ(term.solarTerm, "小满");
  const HuangdaoOverview shortText = ParseOverview("农历二月初一 兔年");
  EXPECT_EQ(shortText.weekday, "");
  EXPECT_EQ(shortText.mansion, "");

  const std::pair<const char*, const char*> clashes[] = {
      {"冲牛(癸丑)煞西", "牛"}, {" 冲鸡(癸酉)煞西", "鸡"}, {"冲", ""}, {"冲x", ""}, {"煞西", ""}, {"", ""}};
  for (const auto& [cong, animal] : clashes) EXPECT_EQ(ClashAnimal(cong), animal) << cong;
  EXPECT_EQ(ListItems("  嫁娶 祭祀  出行 "), (std::vector<std::string_view>{"嫁娶", "祭祀", "出行"}));
  EXPECT_TRUE(ListItems(" ").empty());
}

TEST(HuangdaoDayText, OverviewAndSeventeenLinesTrimmedWithNullsEmpty) {
  const db::Record row = Row({{"gn", "2011-03-05 00:00:00"},
                              {"nn", " \t农历二月初一 兔年\r\n"},
                              {"suici", "辛卯年 庚寅月 己未日"},
                              {"tszf", "  占门厕 外正东  "},
                              {"wuhang", std::nullopt},
                              {"cong", ""},
                              {"pzbj", "\x01己不破券\x1F"},
                              {"jsyq", "敬安 玉堂"},
                              {"yi", "动土  入殓"},
                              {"xsyq", "   "},
                              {"ji", "开市 "},
                              {"extra", "unused"}});
  const HuangdaoDay shown = FormatHuangdaoDay("2011-3-5", row);
  EXPECT_EQ(shown.overview, "2011-3-5  农历二月初一 兔年");
  const std::vector<std::string> expected = {
      "岁次:辛卯年 庚寅月 己未日", "", "每日胎神占方:占门厕 外正东", "", "五行:", "", "冲:", "",
      "彭祖百忌:己不破券", "", "吉神宜趋:敬安 玉堂", "", "宜:动土  入殓", "", "凶神宜忌:", "", "忌:开市"};
  EXPECT_EQ(shown.lines, expected);
}

TEST(HuangdaoDayText, ColumnsAreFoundByNameInAnyOrderAndCase) {
  const db::Record row = Row({{"JI", "j"}, {"XSYQ", "x"}, {"Yi", "y"}, {"jsyq", "s"}, {"pzbj", "p"}, {"cong", "c"},
                              {"wuhang", "w"}, {"tszf", "t"}, {"suici", "u"}, {"NN", "n"}});
  const HuangdaoDay shown = FormatHuangdaoDay("2012-02-29", row);
  EXPECT_EQ(shown.overview, "2012-02-29  n");
  EXPECT_EQ(shown.lines.front(), "岁次:u");
  EXPECT_EQ(shown.lines.back(), "忌:j");
}

TEST(HuangdaoDayText, AMissingColumnIsTheReadersError) {
  const db::Record row = Row({{"nn", "n"}, {"suici", "u"}});
  EXPECT_THROW(FormatHuangdaoDay("2011-3-5", row), db::DbError);
}

}  // namespace
}  // namespace tongshu::almanac

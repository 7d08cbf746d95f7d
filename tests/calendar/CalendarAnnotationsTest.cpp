// Zodiac years, solar terms, festivals and star signs.
#include <gtest/gtest.h>

#include "tests/calendar/TestDates.h"

#include <map>
#include <set>
#include <string>

#include "calendar/CalendarAnnotations.h"

namespace tongshu::calendar {
namespace {

using namespace std::chrono;

using testing::D;
using testing::Str;

template <class F>
void ForEachDay(Date from, Date to, F&& f) {
  for (sys_days d = sys_days{from}; d <= sys_days{to}; d += days{1}) f(Date{d});
}

// --- zodiac -----------------------------------------------------------------

TEST(ZodiacOf, TurnsWithTheLunarYearNotTheGregorian) {
  struct Case {
    Date date;
    const char* zodiac;
  };
  for (const Case& c : {
           Case{D(2012, 1, 22), "卯兔"},  // 腊月廿九
           Case{D(2012, 1, 23), "辰龙"},  // 正月初一
           Case{D(1971, 12, 31), "亥猪"},
           Case{D(1972, 2, 14), "亥猪"},  // 腊月三十: 子 steps back to 亥
           Case{D(1972, 2, 15), "子鼠"},
           Case{D(2034, 1, 10), "丑牛"},  // inside 2033's leap 冬月
           Case{D(2034, 2, 19), "寅虎"},
           Case{D(1901, 1, 1), "子鼠"},   // 1900's 冬月 at the very start of the range
           Case{D(2011, 12, 31), "卯兔"},
           Case{D(1850, 6, 1), "戌狗"},   // outside the range: the Gregorian year alone
           Case{D(2060, 1, 10), "辰龙"},
       })
    EXPECT_EQ(ZodiacOf(c.date), c.zodiac) << Str(c.date);
}

TEST(ZodiacOf, ChangesOnlyOnLunarNewYearOverTheRange) {
  std::string previous = ZodiacOf(D(1901, 1, 1));
  int turns = 0;
  ForEachDay(D(1901, 1, 2), D(2050, 12, 31), [&](Date d) {
    const std::string z = ZodiacOf(d);
    if (z == previous) return;
    ++turns;
    EXPECT_EQ(LunarDateOf(d), 101) << Str(d);
    previous = z;
  });
  EXPECT_EQ(turns, 150);
}

// --- solar terms ------------------------------------------------------------

TEST(SolarTerms, Of2011AndNoOtherDay) {
  const std::map<Date, std::string> terms = {
      {D(2011, 1, 6), "小寒"},   {D(2011, 1, 20), "大寒"},  {D(2011, 2, 4), "立春"},
      {D(2011, 2, 19), "雨水"},  {D(2011, 3, 6), "惊蛰"},   {D(2011, 3, 21), "春分"},
      {D(2011, 4, 5), "清明"},   {D(2011, 4, 20), "谷雨"},  {D(2011, 5, 6), "立夏"},
      {D(2011, 5, 21), "小满"},  {D(2011, 6, 6), "芒种"},   {D(2011, 6, 22), "夏至"},
      {D(2011, 7, 7), "小暑"},   {D(2011, 7, 23), "大暑"},  {D(2011, 8, 8), "立秋"},
      {D(2011, 8, 23), "处暑"},  {D(2011, 9, 8), "白露"},   {D(2011, 9, 23), "秋分"},
      {D(2011, 10, 8), "寒露"},  {D(2011, 10, 24), "霜降"}, {D(2011, 11, 8), "立冬"},
      {D(2011, 11, 23), "小雪"}, {D(2011, 12, 7), "大雪"},  {D(2011, 12, 22), "冬至"},
  };
  ForEachDay(D(2011, 1, 1), D(2011, 12, 31), [&](Date d) {
    const auto it = terms.find(d);
    EXPECT_EQ(SolarTermOf(d), it == terms.end() ? "" : it->second) << Str(d);
  });
}

// Dates checked against astronomical solar-term moments; the table had
// each of them a day or two off.
TEST(SolarTerms, CorrectedDates) {
  struct Case {
    int year, month, wrongDay, day;
    const char* term;
  };
  for (const Case& c : {
           Case{1904, 10, 8, 9, "寒露"},  Case{1912, 11, 23, 22, "小雪"}, Case{1913, 9, 24, 23, "秋分"},
           Case{1929, 10, 8, 9, "寒露"},  Case{1929, 11, 22, 23, "小雪"}, Case{1949, 8, 24, 23, "处暑"},
           Case{1954, 10, 23, 24, "霜降"}, Case{1962, 1, 21, 20, "大寒"}, Case{1973, 2, 20, 19, "雨水"},
           Case{1976, 8, 24, 23, "处暑"}, Case{1977, 5, 6, 5, "立夏"},   Case{1979, 1, 21, 20, "大寒"},
           Case{1981, 11, 8, 7, "立冬"},  Case{1991, 5, 7, 6, "立夏"},   Case{1995, 8, 21, 23, "处暑"},
           Case{2033, 7, 23, 22, "大暑"}, Case{2034, 8, 8, 7, "立秋"},   Case{2049, 4, 5, 4, "清明"},
           Case{2049, 4, 20, 19, "谷雨"}, Case{2050, 9, 8, 7, "白露"},
       }) {
    const Date right = D(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day));
    const Date wrong = D(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.wrongDay));
    EXPECT_EQ(SolarTermOf(right), c.term) << Str(right);
    EXPECT_EQ(SolarTermOf(wrong), "") << Str(wrong);
  }
  // Before 1929 the table keeps Beijing local time: these moments fell just
  // before local midnight, just after it in UTC+8.
  EXPECT_EQ(SolarTermOf(D(1917, 12, 7)), "大雪");
  EXPECT_EQ(SolarTermOf(D(1927, 9, 8)), "白露");
  EXPECT_EQ(SolarTermOf(D(1928, 6, 21)), "夏至");
}

TEST(SolarTerms, EveryMonthOfTheRangeHasItsTwoTermsInOrder) {
  sys_days previous{};
  int previousIndex = 0;
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    for (int m = 1; m <= 12; ++m) {
      std::vector<int> found;
      for (int d = 1; d <= DaysInMonth(y, m); ++d) {
        const int index = SolarTermIndex(y, m, d);
        if (index == 0) continue;
        found.push_back(index);
        const sys_days here{D(y, static_cast<unsigned>(m), static_cast<unsigned>(d))};
        EXPECT_EQ(index, previousIndex % 24 + 1) << y << "-" << m << "-" << d;
        if (previousIndex != 0) {
          const auto gap = (here - previous).count();
          EXPECT_TRUE(gap >= 14 && gap <= 16) << y << "-" << m << "-" << d << " gap " << gap;
        }
        previous = here;
        previousIndex = index;
      }
      EXPECT_EQ(found, (std::vector<int>{2 * m - 1, 2 * m})) << y << "-" << m;
    }
  }
}

TEST(SolarTerms, NoneOutsideTheRangeOrForBadMonths) {
  EXPECT_EQ(SolarTermIndex(1900, 12, 22), 0);
  EXPECT_EQ(SolarTermIndex(2051, 1, 5), 0);
  EXPECT_EQ(SolarTermIndex(2011, 0, 6), 0);
  EXPECT_EQ(SolarTermIndex(2011, 13, 6), 0);
  EXPECT_EQ(SolarTermOf(D(2051, 1, 5)), "");
}

// --- lunar festivals --------------------------------------------------------

TEST(LunarFestivals, Of2011) {
  const std::map<Date, std::string> festivals = {
      {D(2011, 1, 11), "腊八节"}, {D(2011, 2, 2), "除夕"},   {D(2011, 2, 3), "春节"},
      {D(2011, 2, 17), "元宵节"}, {D(2011, 6, 6), "端午节"}, {D(2011, 8, 6), "七夕节"},
      {D(2011, 9, 12), "中秋节"}, {D(2011, 10, 5), "重阳节"},
  };
  ForEachDay(D(2011, 1, 1), D(2011, 12, 31), [&](Date d) {
    const auto it = festivals.find(d);
    EXPECT_EQ(LunarFestivalOf(d), it == festivals.end() ? "" : it->second) << Str(d);
  });
}

TEST(LunarFestivals, EveOnTheLastDayOf29And30DayMonthsOnly) {
  EXPECT_EQ(LunarFestivalOf(D(2000, 2, 4)), "除夕");  // 腊月廿九, a 29-day month
  EXPECT_EQ(LunarFestivalOf(D(2011, 2, 2)), "除夕");  // 腊月三十
  EXPECT_EQ(LunarFestivalOf(D(2011, 2, 1)), "");      // 腊月廿九 of a 30-day month
  EXPECT_EQ(LunarFestivalOf(D(2050, 12, 31)), "");    // the next day is outside the range
  EXPECT_EQ(LunarFestivalOf(D(1900, 12, 31)), "");
  EXPECT_EQ(LunarFestivalOf(D(2051, 1, 25)), "");
}

TEST(LunarFestivals, NoneInALeapMonth) {
  EXPECT_EQ(LunarDateOf(D(2009, 6, 27)), -505);
  EXPECT_EQ(LunarFestivalOf(D(2009, 6, 27)), "");
  EXPECT_EQ(LunarDateOf(D(2020, 6, 7)), -416);
  EXPECT_EQ(LunarFestivalOf(D(2020, 6, 7)), "");
}

TEST(LunarFestivals, CorrectedRowsMoveTheFestivals) {
  EXPECT_EQ(LunarFestivalOf(D(1989, 8, 8)), "七夕节");
  EXPECT_EQ(LunarFestivalOf(D(1989, 8, 7)), "");
  EXPECT_EQ(LunarFestivalOf(D(2013, 6, 12)), "端午节");
  EXPECT_EQ(LunarFestivalOf(D(2013, 6, 13)), "");
}

// Over the range every Gregorian year holds each of these once, and the eve
// is the day before the new year.
TEST(LunarFestivals, OncePerYearOverTheRange) {
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    std::map<std::string, std::vector<Date>> seen;
    ForEachDay(D(y, 1, 1), D(y, 12, 31), [&](Date d) {
      if (std::string f = LunarFestivalOf(d); !f.empty()) seen[f].push_back(d);
    });
    for (const char* f : {"春节", "元宵节", "端午节", "七夕节", "中秋节", "重阳节", "除夕"})
      ASSERT_EQ(seen[f].size(), 1u) << y << " " << f;
    EXPECT_EQ(sys_days{seen["除夕"][0]} + days{1}, sys_days{seen["春节"][0]}) << y;
    EXPECT_EQ(sys_days{seen["春节"][0]} + days{14}, sys_days{seen["元宵节"][0]}) << y;
  }
}

// --- Gregorian festivals ----------------------------------------------------

TEST(Holidays, FixedDays) {
  struct Case {
    int month, day;
    const char* name;
  };
  for (const Case& c : {Case{1, 1, "元旦节"}, Case{2, 14, "情人节"}, Case{3, 8, "妇女节"}, Case{4, 1, "愚人节"},
                        Case{5, 1, "劳动节"}, Case{5, 4, "青年节"}, Case{6, 1, "儿童节"}, Case{7, 1, "建党节"},
                        Case{8, 1, "建军节"}, Case{9, 10, "教师节"}, Case{10, 1, "国庆节"}, Case{10, 6, "老人节"},
                        Case{10, 31, "万圣节"}, Case{11, 8, "记者日"}, Case{12, 25, "圣诞节"}, Case{12, 24, ""},
                        Case{1, 2, ""}, Case{5, 5, ""}})
    EXPECT_EQ(HolidayOf(c.day, D(2011, static_cast<unsigned>(c.month), 15)), c.name) << c.month << "-" << c.day;
}

TEST(Holidays, WeekdayRulesOf2011) {
  EXPECT_EQ(HolidayOf(8, D(2011, 5, 1)), "母亲节");
  EXPECT_EQ(HolidayOf(1, D(2011, 5, 20)), "劳动节");  // also a Sunday, but in week 0
  EXPECT_EQ(HolidayOf(15, D(2011, 5, 1)), "");
  EXPECT_EQ(HolidayOf(19, D(2011, 6, 1)), "父亲节");
  EXPECT_EQ(HolidayOf(12, D(2011, 6, 1)), "");
  EXPECT_EQ(HolidayOf(24, D(2011, 11, 1)), "感恩节");
  EXPECT_EQ(HolidayOf(17, D(2011, 11, 1)), "");
}

// The day argument, not the date's own day, picks the festival.
TEST(Holidays, TakeTheDayFromTheArgument) {
  EXPECT_EQ(HolidayOf(25, D(2011, 12, 1)), "圣诞节");
  EXPECT_EQ(HolidayOf(1, D(2011, 12, 25)), "");
  EXPECT_EQ(HolidayOf(0, D(2011, 5, 1)), "");
  EXPECT_EQ(HolidayOf(32, D(2011, 5, 1)), "");
}

TEST(Holidays, WeekdayFestivalsMatchTheCalendarEveryYear) {
  for (int y = 1890; y <= 2060; ++y) {
    const year yy{y};
    const struct {
      year_month_day date;
      const char* name;
    } rules[] = {{year_month_day{yy / May / Sunday[2]}, "母亲节"},
                 {year_month_day{yy / June / Sunday[3]}, "父亲节"},
                 {year_month_day{yy / November / Thursday[4]}, "感恩节"}};
    for (const auto& r : rules) {
      for (unsigned d = 1; d <= 31; ++d) {
        const std::string h = HolidayOf(static_cast<int>(d), r.date);
        if (d == static_cast<unsigned>(r.date.day()))
          EXPECT_EQ(h, r.name) << Str(r.date);
        else
          EXPECT_NE(h, r.name) << y << " day " << d;
      }
    }
  }
}

// --- star signs -------------------------------------------------------------

TEST(StarSigns, ChangeAfterEachMonthsBoundaryDay) {
  struct Case {
    Date date;
    const char* sign;
  };
  for (const Case& c : {
           Case{D(2011, 1, 1), "摩羯座"},   Case{D(2011, 1, 19), "摩羯座"}, Case{D(2011, 1, 20), "水瓶座"},
           Case{D(2011, 2, 18), "水瓶座"},  Case{D(2011, 2, 19), "双鱼座"}, Case{D(2011, 3, 20), "双鱼座"},
           Case{D(2011, 3, 21), "白羊座"},  Case{D(2011, 4, 19), "白羊座"}, Case{D(2011, 4, 20), "金牛座"},
           Case{D(2011, 5, 20), "金牛座"},  Case{D(2011, 5, 21), "双子座"}, Case{D(2011, 6, 21), "双子座"},
           Case{D(2011, 6, 22), "巨蟹座"},  Case{D(2011, 7, 22), "巨蟹座"}, Case{D(2011, 7, 23), "狮子座"},
           Case{D(2011, 8, 22), "狮子座"},  Case{D(2011, 8, 23), "处女座"}, Case{D(2011, 9, 22), "处女座"},
           Case{D(2011, 9, 23), "天秤座"},  Case{D(2011, 10, 23), "天秤座"}, Case{D(2011, 10, 24), "天蝎座"},
           Case{D(2011, 11, 21), "天蝎座"}, Case{D(2011, 11, 22), "射手座"}, Case{D(2011, 12, 21), "射手座"},
           Case{D(2011, 12, 22), "摩羯座"}, Case{D(2011, 12, 31), "摩羯座"}, Case{D(2060, 8, 23), "处女座"},
       })
    EXPECT_EQ(ConstellationOf(c.date), c.sign) << Str(c.date);
}

TEST(StarSigns, OfDayUsesTheArgumentsDay) {
  EXPECT_EQ(ConstellationOfDay(23, D(2011, 8, 1)), "处女座");
  EXPECT_EQ(ConstellationOfDay(22, D(2011, 8, 31)), "狮子座");
}

// --- branches ---------------------------------------------------------------

TEST(EarthlyBranches, DoubleHoursStartAt23AndStepByTwo) {
  EXPECT_EQ(DoubleHourStart(0), 23);
  EXPECT_EQ(DoubleHourStart(1), 1);
  EXPECT_EQ(DoubleHourStart(6), 11);
  EXPECT_EQ(DoubleHourStart(11), 21);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(kZodiacTexts[i].substr(0, kEarthlyBranches[i].size()), kEarthlyBranches[i]);
}

}  // namespace
}  // namespace tongshu::calendar

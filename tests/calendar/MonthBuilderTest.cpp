// The month grid as the perpetual calendar shows it.
#include <gtest/gtest.h>

#include "tests/calendar/TestDates.h"

#include "calendar/CalendarAnnotations.h"
#include "calendar/MonthBuilder.h"

namespace tongshu::calendar {
namespace {

using namespace std::chrono;

using testing::D;
using testing::Str;

const DayCell& CellOf(const MonthView& v, int day) {
  return v.cells.at(static_cast<std::size_t>(CellOfDay(v.firstCell, day) - 1));
}

struct Expected {
  int day;
  const char* text;
  std::uint32_t colour;
};

void ExpectDays(const MonthView& v, std::initializer_list<Expected> expected) {
  for (const Expected& e : expected) {
    const DayCell& c = CellOf(v, e.day);
    EXPECT_EQ(c.day, e.day);
    EXPECT_EQ(c.text, e.text) << "day " << e.day;
    EXPECT_EQ(c.colour, e.colour) << "day " << e.day;
  }
}

TEST(BuildMonth, March2011) {
  const MonthView v = BuildMonth(D(2011, 3, 5));
  EXPECT_EQ(v.firstCell, 3);  // a Tuesday
  EXPECT_EQ(v.cells[2].day, 1);
  EXPECT_EQ(v.cells[32].day, 31);
  EXPECT_FALSE(v.cells[1].visible);
  EXPECT_FALSE(v.cells[33].visible);
  ExpectDays(v, {{1, "廿七", kLunarDayColour},
                 {4, "三十", kLunarDayColour},
                 {5, "二月", kLunarMonthColour},
                 {6, "惊蛰", kSolarTermColour},
                 {7, "初三", kLunarDayColour},
                 {8, "妇女节", kFestivalColour},
                 {21, "春分", kSolarTermColour}});
  for (int d = 1; d <= 31; ++d) {
    if (d == 5 || d == 6 || d == 8 || d == 21) continue;
    const DayCell& c = CellOf(v, d);
    EXPECT_EQ(c.colour, kLunarDayColour) << d;
    EXPECT_EQ(c.text, LunarDayName(D(2011, 3, static_cast<unsigned>(d)))) << d;
  }
}

TEST(BuildMonth, February2011) {
  const MonthView v = BuildMonth(D(2011, 2, 1));
  EXPECT_EQ(v.firstCell, 3);
  EXPECT_EQ(v.cells[29].day, 28);
  EXPECT_FALSE(v.cells[30].visible);
  ExpectDays(v, {{2, "除夕", kFestivalColour},
                 {3, "春节", kFestivalColour},
                 {4, "立春", kSolarTermColour},
                 {14, "情人节", kFestivalColour},
                 {17, "元宵节", kFestivalColour},
                 {19, "雨水", kSolarTermColour}});
}

TEST(BuildMonth, May2011WeekdayAndFixedFestivals) {
  const MonthView v = BuildMonth(D(2011, 5, 1));
  EXPECT_EQ(v.firstCell, 1);  // a Sunday
  ExpectDays(v, {{1, "劳动节", kFestivalColour}, {4, "青年节", kFestivalColour}, {8, "母亲节", kFestivalColour}});
}

TEST(BuildMonth, SaturdayFirstLongMonthFillsCell37) {
  const MonthView v = BuildMonth(D(2011, 1, 1));
  EXPECT_EQ(v.firstCell, 7);
  EXPECT_TRUE(v.cells[36].visible);
  EXPECT_EQ(v.cells[36].day, 31);
  EXPECT_EQ(CellOf(v, 1).text, "元旦节");
}

TEST(BuildMonth, PrecedenceOfTheLunarLine) {
  struct Case {
    Date date;
    const char* text;
    std::uint32_t colour;
  };
  for (const Case& c : {
           Case{D(2011, 11, 8), "立冬", kSolarTermColour},    // also 记者日
           Case{D(2020, 10, 1), "中秋节", kFestivalColour},   // also 国庆节
           Case{D(2011, 6, 6), "端午节", kFestivalColour},    // also 芒种
           Case{D(2011, 10, 1), "国庆节", kFestivalColour},
           Case{D(2020, 1, 25), "春节", kFestivalColour},     // also 正月 on its first day
           Case{D(2012, 5, 21), "闰四", kLunarMonthColour},
           Case{D(2017, 1, 28), "春节", kFestivalColour},
       }) {
    const MonthView v = BuildMonth(c.date);
    const DayCell& cell = CellOf(v, static_cast<int>(static_cast<unsigned>(c.date.day())));
    EXPECT_EQ(cell.text, c.text) << Str(c.date);
    EXPECT_EQ(cell.colour, c.colour) << Str(c.date);
  }
}

TEST(BuildMonth, MarksTheDatesDayAndItsStarSign) {
  const MonthView aug = BuildMonth(D(2011, 8, 23));
  EXPECT_EQ(aug.markedCell, CellOfDay(aug.firstCell, 23));
  EXPECT_EQ(CellOf(aug, 23).text, "处暑");
  EXPECT_EQ(aug.starSign, "处女座");
  EXPECT_EQ(BuildMonth(D(2011, 8, 22)).starSign, "狮子座");
}

TEST(BuildMonth, ZodiacFollowsTheDatesLunarYear) {
  EXPECT_EQ(BuildMonth(D(2012, 1, 22)).zodiac, "卯兔");
  EXPECT_EQ(BuildMonth(D(2012, 1, 23)).zodiac, "辰龙");
}

TEST(BuildMonth, OutsideTheRangeKeepsOnlyGregorianMarks) {
  const MonthView v = BuildMonth(D(2060, 5, 10));
  EXPECT_EQ(v.zodiac, "辰龙");
  EXPECT_EQ(v.starSign, "金牛座");
  EXPECT_EQ(v.markedCell, CellOfDay(v.firstCell, 10));
  for (int d = 1; d <= 31; ++d) {
    const DayCell& c = CellOf(v, d);
    EXPECT_TRUE(c.visible);
    const std::string holiday = HolidayOf(d, D(2060, 5, 1));
    EXPECT_EQ(c.text, holiday) << d;
    EXPECT_EQ(c.colour, holiday.empty() ? kLunarDayColour : kFestivalColour) << d;
  }
  EXPECT_EQ(CellOf(v, 9).text, "母亲节");  // 2060-05-09 is the second Sunday
}

// Every month of the range: the visible cells are exactly days 1..n from the
// first day's weekday, each with a text, and the chosen day is marked.
TEST(BuildMonth, EveryMonthOfTheRangeFillsItsCells) {
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    for (unsigned m = 1; m <= 12; ++m) {
      const Date date = D(y, m, 15);
      const MonthView v = BuildMonth(date);
      const int first = static_cast<int>(weekday{sys_days{D(y, m, 1)}}.iso_encoding() % 7) + 1;
      ASSERT_EQ(v.firstCell, first) << Str(date);
      const int n = DaysInMonth(y, static_cast<int>(m));
      for (int cell = 1; cell <= kMonthCells; ++cell) {
        const DayCell& c = v.cells[static_cast<std::size_t>(cell - 1)];
        const int day = cell - first + 1;
        const bool inMonth = day >= 1 && day <= n;
        ASSERT_EQ(c.visible, inMonth) << Str(date) << " cell " << cell;
        if (!inMonth) continue;
        ASSERT_EQ(c.day, day);
        ASSERT_FALSE(c.text.empty()) << Str(date) << " day " << day;
      }
      ASSERT_EQ(v.markedCell, first + 14) << Str(date);
    }
  }
}

}  // namespace
}  // namespace tongshu::calendar

// From a lunar date back to its Gregorian day, checked against the forward
// conversion over the whole range, and the written forms of a lunar date.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "calendar/LunarToSolar.h"
#include "tests/calendar/TestDates.h"

namespace {

using namespace std::chrono;
using tongshu::calendar::Date;
using tongshu::calendar::LunarDate;
using tongshu::calendar::testing::D;

// Every lunar month of the range, found by walking it forwards: its first
// day and its length lead back to the same days.
TEST(LunarToSolar, EveryMonthOfTheRangeLeadsBackToItsDays) {
  struct Month {
    sys_days first;
    int length = 0;
  };
  std::map<std::tuple<int, int, bool>, Month> months;
  for (sys_days d{D(1901, 1, 1)}; d <= sys_days{D(2050, 12, 31)}; d += days{1}) {
    const auto lunar = tongshu::calendar::ToLunar(Date{d});
    ASSERT_TRUE(lunar);
    Month& m = months[{*tongshu::calendar::LunarYearOf(Date{d}), lunar->month, lunar->leap}];
    if (m.length++ == 0) m.first = d;
  }
  int checked = 0;
  for (const auto& [key, m] : months) {
    const auto [year, month, leap] = key;
    // The months of lunar 1900 begin before the range; the last one of 2050 ends after it.
    if (year < 1901 || m.first + days{m.length - 1} == sys_days{D(2050, 12, 31)}) continue;
    SCOPED_TRACE(::testing::Message() << year << (leap ? " leap " : " ") << month);
    EXPECT_EQ(tongshu::calendar::LunarMonthLength(year, month, leap), m.length);
    EXPECT_EQ(tongshu::calendar::SolarOf(year, {month, 1, leap}), Date{m.first});
    EXPECT_EQ(tongshu::calendar::SolarOf(year, {month, m.length, leap}), Date{m.first + days{m.length - 1}});
    if (m.length < 30) {
      EXPECT_FALSE(tongshu::calendar::SolarOf(year, {month, m.length + 1, leap}));
    }
    ++checked;
  }
  EXPECT_GT(checked, 1800);
  // A leap month the year does not have, and years outside the range.
  EXPECT_EQ(tongshu::calendar::LunarMonthLength(2027, 8, true), 0);
  EXPECT_FALSE(tongshu::calendar::SolarOf(1900, {1, 1, false}));
  EXPECT_FALSE(tongshu::calendar::SolarOf(2051, {1, 1, false}));
}

TEST(LunarToSolar, WrittenFormsOfALunarDate) {
  const struct {
    const char* text;
    int year;  // 0: none given
    LunarDate date;
  } good[] = {
      {"2027-8-15", 2027, {8, 15, false}},   {"2033-闰11-1", 2033, {11, 1, true}},
      {"2027-08-05", 2027, {8, 5, false}},   {"2027年八月十五", 2027, {8, 15, false}},
      {"正月初一", 0, {1, 1, false}},        {"一月初一", 0, {1, 1, false}},
      {"闰冬月三十", 0, {11, 30, true}},     {"腊月廿九", 0, {12, 29, false}},
      {"十二月二十九", 0, {12, 29, false}},  {"十一月初十", 0, {11, 10, false}},
      {"2020年闰四月二十", 2020, {4, 20, true}},
  };
  for (const auto& g : good) {
    const auto written = tongshu::calendar::ParseWrittenLunarDate(g.text);
    ASSERT_TRUE(written) << g.text;
    EXPECT_EQ(written->year.value_or(0), g.year) << g.text;
    EXPECT_EQ(written->date, g.date) << g.text;
  }
  for (const char* bad : {"", "2027-13-1", "2027-8-31", "2027-8", "2027-8-15-1", "2027年", "八月", "八月三十一",
                          "二十八月初一", "2027八月十五", "月初一", "闰闰八月初一", "2027-闰-1", "x2027-8-15"})
    EXPECT_FALSE(tongshu::calendar::ParseWrittenLunarDate(bad)) << bad;
}

}  // namespace

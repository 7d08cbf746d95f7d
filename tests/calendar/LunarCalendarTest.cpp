// Conversion of Gregorian dates to lunar date codes and their names.
#include <gtest/gtest.h>

#include "tests/calendar/TestDates.h"

#include <map>
#include <vector>

#include "calendar/LunarCalendar.h"

namespace tongshu::calendar {
namespace {

using namespace std::chrono;

using testing::D;
using testing::Str;

struct Conversion {
  Date date;
  int code;
  const char* month;
  const char* day;
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << Str(c.date); }

class KnownConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(KnownConversion, GivesCodeAndNames) {
  const Conversion& c = GetParam();
  EXPECT_EQ(LunarDateOf(c.date), c.code);
  EXPECT_EQ(LunarMonthName(c.date), c.month);
  EXPECT_EQ(LunarDayName(c.date), c.day);
}

INSTANTIATE_TEST_SUITE_P(
    RangeEnds, KnownConversion,
    ::testing::Values(Conversion{D(1900, 12, 31), 0, "", ""}, Conversion{D(2051, 1, 1), 0, "", ""},
                      Conversion{D(1901, 1, 1), 1111, "冬月", "十一"},
                      Conversion{D(2050, 12, 31), 1118, "冬月", "十八"},
                      Conversion{D(1901, 2, 18), 1230, "腊月", "三十"},
                      Conversion{D(1901, 2, 19), 101, "正月", "初一"}));

INSTANTIATE_TEST_SUITE_P(
    NewYears, KnownConversion,
    ::testing::Values(Conversion{D(2000, 2, 4), 1229, "腊月", "廿九"},  // a 29-day 腊月
                      Conversion{D(2000, 2, 5), 101, "正月", "初一"},
                      Conversion{D(2011, 2, 2), 1230, "腊月", "三十"},
                      Conversion{D(2011, 2, 3), 101, "正月", "初一"},
                      Conversion{D(2012, 1, 22), 1229, "腊月", "廿九"},
                      Conversion{D(2012, 1, 23), 101, "正月", "初一"}));

INSTANTIATE_TEST_SUITE_P(
    LeapMonths, KnownConversion,
    ::testing::Values(Conversion{D(2012, 5, 20), 430, "四月", "三十"},
                      Conversion{D(2012, 5, 21), -401, "闰四", "初一"},
                      Conversion{D(2012, 6, 18), -429, "闰四", "廿九"},
                      Conversion{D(2012, 6, 19), 501, "五月", "初一"},
                      Conversion{D(2023, 3, 22), -201, "闰二", "初一"},
                      Conversion{D(2009, 6, 27), -505, "闰五", "初五"}));

// A leap 冬月 that runs over New Year: row 2034 alone says only 冬月.
INSTANTIATE_TEST_SUITE_P(
    LeapCarryOverNewYear, KnownConversion,
    ::testing::Values(Conversion{D(2033, 12, 21), 1130, "冬月", "三十"},
                      Conversion{D(2033, 12, 22), -1101, "闰冬", "初一"},
                      Conversion{D(2033, 12, 31), -1110, "闰冬", "初十"},
                      Conversion{D(2034, 1, 1), -1111, "闰冬", "十一"},
                      Conversion{D(2034, 1, 19), -1129, "闰冬", "廿九"},
                      Conversion{D(2034, 1, 20), 1201, "腊月", "初一"}));

// The two rows mended against astronomical new moons.
INSTANTIATE_TEST_SUITE_P(
    CorrectedRows, KnownConversion,
    ::testing::Values(Conversion{D(1989, 8, 1), 630, "六月", "三十"},
                      Conversion{D(1989, 8, 2), 701, "七月", "初一"},
                      Conversion{D(1989, 8, 8), 707, "七月", "初七"},
                      Conversion{D(2013, 6, 8), 501, "五月", "初一"},
                      Conversion{D(2013, 6, 12), 505, "五月", "初五"},
                      Conversion{D(2013, 7, 7), 530, "五月", "三十"},
                      Conversion{D(2013, 7, 8), 601, "六月", "初一"}));

TEST(LunarDateOf, InvalidGregorianDateIsOutsideTheRange) {
  EXPECT_EQ(LunarDateOf(D(2011, 2, 29)), 0);
  EXPECT_EQ(LunarDateOf(D(2011, 13, 1)), 0);
  EXPECT_EQ(LunarMonthName(D(2011, 4, 31)), "");
  EXPECT_EQ(LunarDayName(D(2011, 4, 31)), "");
}

TEST(LunarNamesOfCode, RejectCodesThatNoDateGives) {
  EXPECT_EQ(LunarMonthNameOfCode(1301), "");
  EXPECT_EQ(LunarMonthNameOfCode(-1301), "");
  EXPECT_EQ(LunarDayNameOfCode(131), "");
  EXPECT_EQ(LunarDayNameOfCode(100), "");
  EXPECT_EQ(LunarMonthNameOfCode(-1201), "闰腊");
}

// --- every day of the range -------------------------------------------------

struct LunarMonthRun {
  Date start;
  int month;  // negative for a leap month
  int length;
};

// Walks the range once and cuts it into lunar months.
std::vector<LunarMonthRun> MonthsOfRange() {
  std::vector<LunarMonthRun> runs;
  for (sys_days d = sys_days{D(1901, 1, 1)}; d <= sys_days{D(2050, 12, 31)}; d += days{1}) {
    const int code = LunarDateOf(Date{d});
    const int month = code < 0 ? -LunarMonthOfCode(code) : LunarMonthOfCode(code);
    if (runs.empty() || LunarDayOfCode(code) == 1) runs.push_back({Date{d}, month, 0});
    ++runs.back().length;
  }
  return runs;
}

TEST(LunarRange, EachDayFollowsThePrevious) {
  int previous = LunarDateOf(D(1901, 1, 1));
  for (sys_days d = sys_days{D(1901, 1, 2)}; d <= sys_days{D(2050, 12, 31)}; d += days{1}) {
    const int code = LunarDateOf(Date{d});
    ASSERT_NE(code, 0) << Str(Date{d});
    const int pm = LunarMonthOfCode(previous), pd = LunarDayOfCode(previous);
    const int m = LunarMonthOfCode(code), dd = LunarDayOfCode(code);
    if (dd == pd + 1) {
      ASSERT_EQ(code < 0, previous < 0) << Str(Date{d});
      ASSERT_EQ(m, pm) << Str(Date{d});
    } else {
      ASSERT_EQ(dd, 1) << Str(Date{d});
      ASSERT_TRUE(pd == 29 || pd == 30) << Str(Date{d});
      if (code < 0) {
        ASSERT_TRUE(previous > 0 && m == pm) << "a leap month repeats the month before it: " << Str(Date{d});
      } else {
        ASSERT_EQ(m, pm % 12 + 1) << Str(Date{d});
      }
    }
    previous = code;
  }
}

TEST(LunarRange, MonthsHave29Or30Days) {
  const auto runs = MonthsOfRange();
  ASSERT_GT(runs.size(), 1800u);
  // The first and last runs are cut by the ends of the range.
  for (std::size_t i = 1; i + 1 < runs.size(); ++i)
    EXPECT_TRUE(runs[i].length == 29 || runs[i].length == 30) << Str(runs[i].start) << " has " << runs[i].length;
}

TEST(LunarRange, LunarYearsHaveTwelveMonthsOrTwelvePlusOneLeap) {
  const auto runs = MonthsOfRange();
  std::map<int, std::vector<LunarMonthRun>> byLunarYear;  // keyed by the Gregorian year of 正月初一
  int lunarYear = 0;
  int leapTotal = 0;
  for (const auto& run : runs) {
    if (run.month == 1) lunarYear = static_cast<int>(run.start.year());
    if (lunarYear != 0) byLunarYear[lunarYear].push_back(run);
    if (run.month < 0) ++leapTotal;
  }
  byLunarYear.erase(2050);  // that lunar year runs past the range
  ASSERT_EQ(byLunarYear.size(), 149u);
  for (const auto& [y, months] : byLunarYear) {
    int leaps = 0;
    int days = 0;
    for (const auto& m : months) {
      leaps += m.month < 0;
      days += m.length;
    }
    EXPECT_LE(leaps, 1) << y;
    EXPECT_EQ(months.size(), 12u + static_cast<unsigned>(leaps)) << y;
    if (leaps == 0) {
      EXPECT_TRUE(days >= 353 && days <= 355) << y << ": " << days;
    } else {
      EXPECT_TRUE(days >= 383 && days <= 385) << y << ": " << days;
    }
  }
  // 55, one of them 2033's leap 冬月: the leap months that the bundled
  // almanac, computed by another library, has over the range
  // (AlmanacCrossCheckTest counts them there).
  EXPECT_EQ(leapTotal, 55);
}

TEST(LunarRange, NewYearFallsBetween21JanuaryAnd20February) {
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    int newYears = 0;
    for (sys_days d = sys_days{D(y, 1, 1)}; d <= sys_days{D(y, 12, 31)}; d += days{1}) {
      if (LunarDateOf(Date{d}) != 101) continue;
      ++newYears;
      EXPECT_GE(Date{d}, D(y, 1, 21));
      EXPECT_LE(Date{d}, D(y, 2, 20));
    }
    EXPECT_EQ(newYears, 1) << y;
  }
}

// --- Gregorian helpers ------------------------------------------------------

TEST(DaysInMonth, FollowsTheGregorianLeapRule) {
  struct Case {
    int year, month, days;
  };
  for (const Case c : {Case{2011, 1, 31}, Case{2011, 2, 28}, Case{2012, 2, 29}, Case{1900, 2, 28},
                       Case{2000, 2, 29}, Case{2100, 2, 28}, Case{2011, 4, 30}, Case{2011, 12, 31},
                       Case{2011, 0, 0}, Case{2011, 13, 0}})
    EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
  EXPECT_EQ(DaysInMonthOf(D(2012, 2, 10)), 29);
  EXPECT_EQ(DaysInMonthOf(D(2011, 9, 30)), 30);
}

TEST(DayNumberOfYear, CountsFromFirstJanuaryOverTheRange) {
  for (sys_days d = sys_days{D(1900, 1, 1)}; d <= sys_days{D(2051, 12, 31)}; d += days{1}) {
    const Date date{d};
    const auto expected = (d - sys_days{date.year() / January / 1}).count() + 1;
    ASSERT_EQ(DayNumberOfYear(date), expected) << Str(date);
  }
}

TEST(FitDate, CutsTheDayToTheMonthOnly) {
  EXPECT_EQ(FitDate(2011, 2, 31), D(2011, 2, 28));
  EXPECT_EQ(FitDate(2012, 2, 31), D(2012, 2, 29));
  EXPECT_EQ(FitDate(2011, 4, 31), D(2011, 4, 30));
  EXPECT_EQ(FitDate(2011, 3, 31), D(2011, 3, 31));
  EXPECT_EQ(FitDate(2011, 3, 5), D(2011, 3, 5));
}

}  // namespace
}  // namespace tongshu::calendar

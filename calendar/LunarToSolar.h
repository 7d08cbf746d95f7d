#pragma once
// From a lunar date back to the Gregorian day, within the calendar's range,
// and the forms a user writes a lunar date in.
#include <optional>
#include <string_view>

#include "calendar/LunarCalendar.h"
#include "calendar/LunarDate.h"

namespace tongshu::calendar {

// The days of the month (29 or 30) of the lunar year that begins in
// Gregorian year `lunarYear`; 0 where that year has no such month (a leap
// month it does not have, a year outside the calendar's range, or a month
// that runs past its end).
int LunarMonthLength(int lunarYear, int month, bool leap);

// The Gregorian day of a lunar date; nothing where the year has no such
// month, the month no such day, or the day lies outside the range.
std::optional<Date> SolarOf(int lunarYear, const LunarDate& date);

// The lunar year a Gregorian day belongs to (its eleventh and twelfth months
// reach into the next Gregorian year); nothing outside the range.
std::optional<int> LunarYearOf(const Date& date);

struct WrittenLunarDate {
  std::optional<int> year;  // not given: the caller's current lunar year
  LunarDate date;
};

// "2027-8-15", "2033-闰11-1", "2027年八月十五", "正月初一", "闰冬月三十",
// "腊月廿九" (months 正/一 .. 十二, 冬 and 腊; days 初一 .. 三十, 廿 or 二十);
// nothing for anything else. The day is only read here, not checked against
// its month.
std::optional<WrittenLunarDate> ParseWrittenLunarDate(std::string_view text);

}  // namespace tongshu::calendar

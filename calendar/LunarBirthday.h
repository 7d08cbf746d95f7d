#pragma once
// Lunar birthdays: the Gregorian day of a lunar month and day in each lunar
// year. A birthday in a leap month falls in that leap month in the years
// that have it, and in the ordinary month of the same number in the years
// that do not. Day 30 falls on the 29th of a month that has only 29 days.
#include <chrono>
#include <vector>

#include "calendar/LunarDate.h"

namespace tongshu::calendar {

struct BirthdayDay {
  std::chrono::sys_days day;
  LunarDate date;      // the lunar date of that day
  bool ordinaryMonth;  // a leap-month birthday in a year without that leap month
  bool shortMonth;     // day 30 kept on the 29th
};

// Every day of [first, last], within 1901-2050, that is the birthday.
std::vector<BirthdayDay> LunarBirthdaysIn(const LunarDate& birthday, std::chrono::sys_days first,
                                          std::chrono::sys_days last);

}  // namespace tongshu::calendar

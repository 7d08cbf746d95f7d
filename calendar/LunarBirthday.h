#pragma once
// Lunar birthdays: the Gregorian day of a lunar month and day in each lunar
// year. A birthday in a leap month falls in that leap month in the years
// that have it, and in the ordinary month of the same number in the years
// that do not. Day 30 falls on the 29th of a month that has only 29 days.
#include <chrono>
#include <optional>
#include <string_view>
#include <vector>

namespace tongshu::cli {

struct LunarBirthday {
  int month = 0;  // 1..12
  int day = 0;    // 1..30
  bool leap = false;
};

// "M-D" or "闰M-D", month and day of one or two digits.
std::optional<LunarBirthday> ParseLunarBirthday(std::string_view text);

struct BirthdayDay {
  std::chrono::sys_days day;
  int code;             // the lunar date code of that day
  bool ordinaryMonth;   // a leap-month birthday in a year without that leap month
  bool shortMonth;      // day 30 kept on the 29th
};

// Every day of [first, last], within 1901-2050, that is the birthday.
std::vector<BirthdayDay> LunarBirthdaysIn(const LunarBirthday& birthday, std::chrono::sys_days first,
                                          std::chrono::sys_days last);

}  // namespace tongshu::cli

#include "calendar/LunarCalendar.h"

#include <algorithm>

#include "calendar/CalendarTables.h"

namespace tongshu::calendar {
namespace {

constexpr std::array<int, 13> kMonthLengths = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::array<int, 13> kDaysBefore = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

constexpr bool IsGregorianLeap(int y) noexcept { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

struct Ymd {
  int year;
  int month;
  int day;
};

constexpr Ymd Split(const Date& date) noexcept {
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

constexpr int OrdinalDay(int year, int month, int day) noexcept {
  return kDaysBefore[month] + (month > 2 && IsGregorianLeap(year) ? 1 : 0) + day;
}

// The conversion of a valid date of a year inside the range, decoding that
// year's row afresh. `d` is the day number of the year less one.
int LunarCode(int year, int d) noexcept {
  const std::uint32_t row = tables::kLunarYearTable[static_cast<std::size_t>(year - tables::kFirstYear)];
  const unsigned byte0 = row >> 24;
  const int first = (byte0 & 0x80u) ? 12 : 11;
  const int begin = static_cast<int>(byte0 & 0x7Fu);
  const unsigned mask = (row >> 8) & 0xFFFFu;
  const int leap = static_cast<int>(row & 0xFFu);
  const auto length = [mask](int k) { return (mask >> (15 - k)) & 1u ? 30 : 29; };

  int month;
  int day;
  int acc = length(0) - begin;
  if (d <= acc) {
    // Still in the month that was running on 1 January; it is a leap month
    // exactly when the previous Gregorian year ended in one.
    month = first;
    day = begin + d;
    if (year > tables::kFirstYear && LunarCode(year - 1, OrdinalDay(year - 1, 12, 31) - 1) < 0) month = -month;
  } else {
    int m = first;  // month number of sequence entry i - 1, negative for a leap month
    int i = 1;
    for (;;) {
      m = (m == leap) ? -leap : (m < 0 ? -m : m) % 12 + 1;
      if (d <= acc + length(i)) break;
      acc += length(i);
      ++i;
    }
    month = m;
    day = d - acc;
  }
  return month > 0 ? month * 100 + day : month * 100 - day;
}

}  // namespace

int DaysInMonth(int year, int month) noexcept {
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsGregorianLeap(year) ? 29 : kMonthLengths[month];
}

int DaysInMonthOf(const Date& date) noexcept {
  const Ymd s = Split(date);
  return DaysInMonth(s.year, s.month);
}

int DayNumberOfYear(const Date& date) noexcept {
  const Ymd s = Split(date);
  if (s.month < 1 || s.month > 12) return 0;
  return OrdinalDay(s.year, s.month, s.day);
}

Date FitDate(int year, int month, int day) noexcept {
  const int fitted = std::min(day, DaysInMonth(year, month));
  return Date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
              std::chrono::day{static_cast<unsigned>(fitted)}};
}

int LunarDateOf(const Date& date) noexcept {
  if (!date.ok()) return 0;
  const Ymd s = Split(date);
  if (s.year < tables::kFirstYear || s.year > tables::kLastYear) return 0;
  return LunarCode(s.year, OrdinalDay(s.year, s.month, s.day) - 1);
}

std::string LunarMonthNameOfCode(int code) {
  const int q = code / 100;
  if (q == 0 || q < -12 || q > 12) return {};
  std::string text;
  if (q < 0) {
    text = "闰";
    text += kLunarMonthNames[static_cast<std::size_t>(-q)];
  } else {
    text = kLunarMonthNames[static_cast<std::size_t>(q)];
    text += "月";
  }
  return text;
}

std::string LunarDayNameOfCode(int code) {
  const int day = LunarDayOfCode(code);
  if (code == 0 || day < 1 || day > 30) return {};
  return std::string(kLunarDayNames[static_cast<std::size_t>(day)]);
}

std::string LunarMonthName(const Date& date) { return LunarMonthNameOfCode(LunarDateOf(date)); }

std::string LunarDayName(const Date& date) { return LunarDayNameOfCode(LunarDateOf(date)); }

}  // namespace tongshu::calendar

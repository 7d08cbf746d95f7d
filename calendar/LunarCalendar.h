#pragma once
// Gregorian to Chinese lunar date conversion for 1901-01-01 .. 2050-12-31.
// Pure functions over compiled-in tables; standard library only, so the
// windows, the command-line companion and the tests share exactly this code.
#include <array>
#include <chrono>
#include <string>
#include <optional>
#include <string_view>

#include "calendar/LunarDate.h"

namespace tongshu::calendar {

using Date = std::chrono::year_month_day;

inline constexpr int kFirstYear = 1901;
inline constexpr int kLastYear = 2050;

// Lunar date code: month * 100 + day, negated for a day of a leap month
// (-401 is the first day of the leap fourth month), 0 outside the range or
// for an invalid date.
int LunarDateOf(const Date& date) noexcept;
// The same date as a value; nothing outside the range or for an invalid date.
inline std::optional<LunarDate> ToLunar(const Date& date) noexcept { return LunarDate::FromCode(LunarDateOf(date)); }

// Month of a code, 1..12 (0 for the code 0), day 1..30, and whether it is a
// leap month.
constexpr int LunarMonthOfCode(int code) noexcept { return (code < 0 ? -code : code) / 100; }
constexpr int LunarDayOfCode(int code) noexcept { return (code < 0 ? -code : code) % 100; }
constexpr bool IsLeapCode(int code) noexcept { return code < 0; }

// "正月" .. "腊月"; a leap month reads "闰" and the stem alone ("闰四");
// empty outside the range.
std::string LunarMonthName(const Date& date);
// "初一" .. "三十"; empty outside the range.
std::string LunarDayName(const Date& date);
// The same texts for a code already converted (empty for 0).
std::string LunarMonthNameOfCode(int code);
std::string LunarDayNameOfCode(int code);

// Ordinal day within the Gregorian year, 1..366 (0 for an invalid month).
int DayNumberOfYear(const Date& date) noexcept;
// Days of a Gregorian month, 28..31; 0 for a month outside 1..12.
int DaysInMonth(int year, int month) noexcept;
int DaysInMonthOf(const Date& date) noexcept;
// year-month-day with the day cut to the month's length; keeps a chosen day
// of the month when moving to a shorter month.
Date FitDate(int year, int month, int day) noexcept;

// Stems of the lunar months, index 1..12 (index 0 is empty).
inline constexpr std::array<std::string_view, 13> kLunarMonthNames = {
    "", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "冬", "腊"};
// Lunar day names, index 1..30 (index 0 is empty).
inline constexpr std::array<std::string_view, 31> kLunarDayNames = {
    "",     "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};

}  // namespace tongshu::calendar

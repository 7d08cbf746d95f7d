#pragma once
// Marks shown beside a date: zodiac year, solar terms, lunar and Gregorian
// festivals, western star sign. Each returns one short UTF-8 text, or an
// empty one when nothing applies.
#include <array>
#include <string>
#include <string_view>

#include "calendar/LunarCalendar.h"

namespace tongshu::calendar {

// The twelve earthly branches in cycle order; 1972 has index 0. The double
// hour of branch i starts at (23 + 2 i) mod 24 o'clock and lasts two hours.
inline constexpr std::array<std::string_view, 12> kEarthlyBranches = {
    "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
inline constexpr std::array<std::string_view, 12> kZodiacTexts = {
    "子鼠", "丑牛", "寅虎", "卯兔", "辰龙", "巳蛇", "午马", "未羊", "申猴", "酉鸡", "戌狗", "亥猪"};
constexpr int DoubleHourStart(int branch) noexcept { return (23 + 2 * branch) % 24; }

// Solar-term names, index 1..24 (index 0 is empty); month m holds terms
// 2m - 1 and 2m.
inline constexpr std::array<std::string_view, 25> kSolarTermNames = {
    "",     "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

// Zodiac text of the lunar year in progress ("辰龙"); outside the range, of
// the Gregorian year.
std::string ZodiacOf(const Date& date);
// Term number 1..24 when a solar term falls on the day, else 0 (also for a
// year outside 1901..2050).
int SolarTermIndex(int year, int month, int day) noexcept;
std::string SolarTermOf(const Date& date);
// "春节", "元宵节", "端午节", "七夕节", "中秋节", "重阳节", "腊八节" or "除夕".
std::string LunarFestivalOf(const Date& date);
// Gregorian festival of day `day` in the year and month of `date`.
std::string HolidayOf(int day, const Date& date);
std::string ConstellationOf(const Date& date);
// Star sign of day `day` in the year and month of `date`.
std::string ConstellationOfDay(int day, const Date& date);

}  // namespace tongshu::calendar

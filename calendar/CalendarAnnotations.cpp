#include "calendar/CalendarAnnotations.h"

#include "calendar/CalendarTables.h"

namespace tongshu::calendar {
namespace {

using std::chrono::sys_days;
using std::chrono::weekday;

struct StarSignMonth {
  int lastDayOfFirst;
  std::string_view first;
  std::string_view second;
};

// Index 1..12: a day up to and including lastDayOfFirst has the first sign.
constexpr std::array<StarSignMonth, 13> kStarSigns = {{
    {0, "", ""},
    {19, "摩羯座", "水瓶座"},
    {18, "水瓶座", "双鱼座"},
    {20, "双鱼座", "白羊座"},
    {19, "白羊座", "金牛座"},
    {20, "金牛座", "双子座"},
    {21, "双子座", "巨蟹座"},
    {22, "巨蟹座", "狮子座"},
    {22, "狮子座", "处女座"},
    {22, "处女座", "天秤座"},
    {23, "天秤座", "天蝎座"},
    {21, "天蝎座", "射手座"},
    {21, "射手座", "摩羯座"},
}};

int YearOf(const Date& date) noexcept { return static_cast<int>(date.year()); }
int MonthOf(const Date& date) noexcept { return static_cast<int>(static_cast<unsigned>(date.month())); }
int DayOf(const Date& date) noexcept { return static_cast<int>(static_cast<unsigned>(date.day())); }

}  // namespace

std::string ZodiacOf(const Date& date) {
  int r = (YearOf(date) - 1972) % 12;
  if (r < 0) r += 12;
  const int m = MonthOf(date);
  if (m >= 1 && m <= 3) {
    // Early in the Gregorian year the lunar year may not have turned yet
    // (the eleventh or twelfth month, leap or not).
    const auto lunar = ToLunar(date);
    if (lunar && (lunar->month == 11 || lunar->month == 12)) r = (r == 0) ? 11 : r - 1;
  }
  return std::string(kZodiacTexts[static_cast<std::size_t>(r)]);
}

int SolarTermIndex(int year, int month, int day) noexcept {
  if (year < tables::kFirstYear || year > tables::kLastYear || month < 1 || month > 12) return 0;
  const unsigned byte =
      tables::kSolarTermTable[static_cast<std::size_t>((year - tables::kFirstYear) * 12 + (month - 1))];
  const int termDay = day < 15 ? 15 - static_cast<int>(byte >> 4) : 15 + static_cast<int>(byte & 0x0Fu);
  if (day != termDay) return 0;
  return day <= 15 ? 2 * month - 1 : 2 * month;
}

std::string SolarTermOf(const Date& date) {
  const int index = SolarTermIndex(YearOf(date), MonthOf(date), DayOf(date));
  return std::string(kSolarTermNames[static_cast<std::size_t>(index)]);
}

std::string LunarFestivalOf(const Date& date) {
  const auto lunar = ToLunar(date);
  if (!lunar) return {};
  // Festivals fall in ordinary months only, never in a leap month.
  switch (lunar->day) {
    case 1:
      return lunar->isIn(1) ? "春节" : "";
    case 5:
      return lunar->isIn(5) ? "端午节" : "";
    case 7:
      return lunar->isIn(7) ? "七夕节" : "";
    case 8:
      return lunar->isIn(12) ? "腊八节" : "";
    case 9:
      return lunar->isIn(9) ? "重阳节" : "";
    case 15:
      if (lunar->isIn(8)) return "中秋节";
      return lunar->isIn(1) ? "元宵节" : "";
    default: {
      // The last day of the year, whether 腊月 has 29 or 30 days. The day
      // after 2050-12-31 is outside the range and has no lunar date.
      const auto next = ToLunar(Date{sys_days{date} + std::chrono::days{1}});
      return !lunar->isIn(1) && next && next->isIn(1) ? "除夕" : "";
    }
  }
}

std::string HolidayOf(int day, const Date& date) {
  if (day < 1 || day > 31) return {};
  const int week = (day - 1) / 7;
  const auto weekdayOfDay = [&] {
    return weekday{sys_days{date.year() / date.month() / std::chrono::day{static_cast<unsigned>(day)}}};
  };
  switch (MonthOf(date)) {
    case 1:
      return day == 1 ? "元旦节" : "";
    case 2:
      return day == 14 ? "情人节" : "";
    case 3:
      return day == 8 ? "妇女节" : "";
    case 4:
      return day == 1 ? "愚人节" : "";
    case 5:
      if (day == 1) return "劳动节";
      if (day == 4) return "青年节";
      return week == 1 && weekdayOfDay() == std::chrono::Sunday ? "母亲节" : "";
    case 6:
      if (day == 1) return "儿童节";
      return week == 2 && weekdayOfDay() == std::chrono::Sunday ? "父亲节" : "";
    case 7:
      return day == 1 ? "建党节" : "";
    case 8:
      return day == 1 ? "建军节" : "";
    case 9:
      return day == 10 ? "教师节" : "";
    case 10:
      if (day == 1) return "国庆节";
      if (day == 6) return "老人节";
      return day == 31 ? "万圣节" : "";
    case 11:
      if (day == 8) return "记者日";
      return week == 3 && weekdayOfDay() == std::chrono::Thursday ? "感恩节" : "";
    case 12:
      return day == 25 ? "圣诞节" : "";
    default:
      return {};
  }
}

std::string ConstellationOfDay(int day, const Date& date) {
  const int m = MonthOf(date);
  if (m < 1 || m > 12) return {};
  const StarSignMonth& signs = kStarSigns[static_cast<std::size_t>(m)];
  return std::string(day <= signs.lastDayOfFirst ? signs.first : signs.second);
}

std::string ConstellationOf(const Date& date) { return ConstellationOfDay(DayOf(date), date); }

}  // namespace tongshu::calendar

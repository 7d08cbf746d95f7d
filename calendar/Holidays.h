#pragma once
// The public holidays (休) and weekend working days (班) of mainland China, as
// a table of days: the header "date<TAB>kind<TAB>name", then one day a line.
#include <chrono>
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::calendar {

struct PublicHoliday {
  std::string kind;  // "休" or "班"
  std::string name;  // the holiday the day belongs to: "春节"
  bool operator==(const PublicHoliday&) const = default;
};

struct HolidayDay {
  std::chrono::sys_days day;
  PublicHoliday holiday;
  bool operator==(const HolidayDay&) const = default;
};

// The first line of a table that is not in its form (0: the table is empty).
class HolidayTableError : public std::runtime_error {
 public:
  explicit HolidayTableError(int line)
      : std::runtime_error("holiday table line " + std::to_string(line)), line_(line) {}
  int line() const noexcept { return line_; }

 private:
  int line_;
};

struct YearSpan {
  int first, last;
};

// The year whose schedule a day belongs to: its own, except that a 元旦 day in
// December belongs to the next year's (the schedule for 2012 moved a working
// day to 2011-12-31, the one for 2023 began its 元旦 on 2022-12-31).
int ScheduleYearOf(std::chrono::sys_days day, std::string_view name);

class Holidays {
 public:
  // Throws HolidayTableError for a table not in its form, a day listed twice
  // included.
  static Holidays Parse(std::string_view table);

  // `base` with every schedule year that `top` covers taken from `top`.
  static Holidays Overlay(const Holidays& base, const Holidays& top);

  // The day's entry, or null for an ordinary day or a year not covered.
  const PublicHoliday* find(std::chrono::sys_days day) const;

  // Covered schedule years: those with at least one day.
  bool empty() const { return days_.empty(); }
  bool covers(int year) const { return years_.count(year) != 0; }
  std::vector<YearSpan> coveredYears() const;
  // The years of [from, to] the table does not cover, in order.
  std::vector<YearSpan> uncoveredYears(int from, int to) const;

  // The days of one schedule year, by date.
  std::vector<HolidayDay> daysOf(int year) const;

  // Drops the days of schedule year `year` and adds `days` in their place.
  // Throws std::invalid_argument, changing nothing, when a day belongs to
  // another schedule year or is listed twice.
  void replaceYear(int year, std::span<const HolidayDay> days);

  // The table's text, as Parse reads it: the header, then the days by date.
  std::string format() const;

 private:
  std::map<std::chrono::sys_days, PublicHoliday> days_;
  std::set<int> years_;
};

}  // namespace tongshu::calendar

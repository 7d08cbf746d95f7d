#pragma once
// The public holidays (休) and weekend working days (班) of mainland China, as
// a table of days: the header "date<TAB>kind<TAB>name", then one day a line.
#include <chrono>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::calendar {

struct PublicHoliday {
  std::string kind;  // "休" or "班"
  std::string name;  // the holiday the day belongs to: "春节"
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

class Holidays {
 public:
  // Throws HolidayTableError for a table not in its form, a day listed twice
  // included.
  static Holidays Parse(std::string_view table);

  // The day's entry, or null for an ordinary day or a year not covered.
  const PublicHoliday* find(std::chrono::sys_days day) const;

  // The covered years run from firstYear to lastYear (none when empty).
  bool empty() const { return days_.empty(); }
  int firstYear() const { return firstYear_; }
  int lastYear() const { return lastYear_; }

  // The years of [from, to] the table does not cover, in order.
  std::vector<YearSpan> uncoveredYears(int from, int to) const;

 private:
  std::map<std::chrono::sys_days, PublicHoliday> days_;
  int firstYear_ = 0, lastYear_ = -1;
};

}  // namespace tongshu::calendar

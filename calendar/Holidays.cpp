#include "calendar/Holidays.h"

#include <algorithm>
#include <sstream>

#include "calendar/DateText.h"

namespace tongshu::calendar {
namespace {

constexpr std::string_view kHeader = "date\tkind\tname";

int YearOf(std::chrono::sys_days day) { return static_cast<int>(std::chrono::year_month_day{day}.year()); }

}  // namespace

Holidays Holidays::Parse(std::string_view table) {
  std::istringstream in{std::string(table)};
  Holidays holidays;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNumber == 1) {
      if (line != kHeader) throw HolidayTableError(lineNumber);
      continue;
    }
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) throw HolidayTableError(lineNumber);
    const auto date = ParseYmdText(std::string_view(line).substr(0, tab1));
    PublicHoliday day{line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)};
    if (!date || (day.kind != "休" && day.kind != "班") || day.name.empty()) throw HolidayTableError(lineNumber);
    if (!holidays.days_.emplace(std::chrono::sys_days{*date}, std::move(day)).second)
      throw HolidayTableError(lineNumber);
  }
  if (lineNumber == 0) throw HolidayTableError(lineNumber);
  if (!holidays.days_.empty()) {
    holidays.firstYear_ = YearOf(holidays.days_.begin()->first);
    holidays.lastYear_ = YearOf(holidays.days_.rbegin()->first);
  }
  return holidays;
}

const PublicHoliday* Holidays::find(std::chrono::sys_days day) const {
  const auto it = days_.find(day);
  return it == days_.end() ? nullptr : &it->second;
}

std::vector<YearSpan> Holidays::uncoveredYears(int from, int to) const {
  std::vector<YearSpan> missing;
  const auto add = [&](int a, int b) {
    if (a <= b) missing.push_back({a, b});
  };
  if (empty()) {
    add(from, to);
  } else {
    add(from, std::min(to, firstYear_ - 1));
    add(std::max(from, lastYear_ + 1), to);
  }
  return missing;
}

}  // namespace tongshu::calendar

#include "calendar/Holidays.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "calendar/DateText.h"

namespace tongshu::calendar {
namespace {

constexpr std::string_view kHeader = "date\tkind\tname";

std::vector<YearSpan> Spans(const std::set<int>& years) {
  std::vector<YearSpan> spans;
  for (const int y : years) {
    if (!spans.empty() && spans.back().last + 1 == y)
      spans.back().last = y;
    else
      spans.push_back({y, y});
  }
  return spans;
}

}  // namespace

int ScheduleYearOf(std::chrono::sys_days day, std::string_view name) {
  const std::chrono::year_month_day date{day};
  const int year = static_cast<int>(date.year());
  return date.month() == std::chrono::December && name == "元旦" ? year + 1 : year;
}

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
    const std::chrono::sys_days key{*date};
    holidays.years_.insert(ScheduleYearOf(key, day.name));
    if (!holidays.days_.emplace(key, std::move(day)).second) throw HolidayTableError(lineNumber);
  }
  if (lineNumber == 0) throw HolidayTableError(lineNumber);
  return holidays;
}

Holidays Holidays::Overlay(const Holidays& base, const Holidays& top) {
  Holidays merged;
  for (const auto& [day, holiday] : base.days_) {
    if (const int year = ScheduleYearOf(day, holiday.name); !top.covers(year)) {
      merged.days_.emplace(day, holiday);
      merged.years_.insert(year);
    }
  }
  for (const auto& [day, holiday] : top.days_) merged.days_.insert_or_assign(day, holiday);
  merged.years_.insert(top.years_.begin(), top.years_.end());
  return merged;
}

const PublicHoliday* Holidays::find(std::chrono::sys_days day) const {
  const auto it = days_.find(day);
  return it == days_.end() ? nullptr : &it->second;
}

std::vector<YearSpan> Holidays::coveredYears() const { return Spans(years_); }

std::vector<YearSpan> Holidays::uncoveredYears(int from, int to) const {
  std::set<int> missing;
  for (int y = from; y <= to; ++y)
    if (!covers(y)) missing.insert(y);
  return Spans(missing);
}

std::vector<HolidayDay> Holidays::daysOf(int year) const {
  std::vector<HolidayDay> days;
  // A schedule year's days lie within its calendar year and the December before.
  const std::chrono::sys_days from{std::chrono::year{year - 1} / std::chrono::December / 1};
  const std::chrono::sys_days to{std::chrono::year{year} / std::chrono::December / 31};
  for (auto it = days_.lower_bound(from); it != days_.end() && it->first <= to; ++it)
    if (ScheduleYearOf(it->first, it->second.name) == year) days.push_back({it->first, it->second});
  return days;
}

void Holidays::replaceYear(int year, std::span<const HolidayDay> days) {
  std::map<std::chrono::sys_days, PublicHoliday> added;
  for (const HolidayDay& d : days) {
    if (ScheduleYearOf(d.day, d.holiday.name) != year)
      throw std::invalid_argument("a day of another year's schedule");
    if (!added.emplace(d.day, d.holiday).second) throw std::invalid_argument("a day listed twice");
  }
  std::erase_if(days_, [&](const auto& entry) { return ScheduleYearOf(entry.first, entry.second.name) == year; });
  years_.erase(year);
  for (auto& [day, holiday] : added) days_.insert_or_assign(day, std::move(holiday));
  if (!added.empty()) years_.insert(year);
}

std::string Holidays::format() const {
  std::string text(kHeader);
  text += '\n';
  for (const auto& [day, holiday] : days_) {
    const std::chrono::year_month_day date{day};
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    text.append(iso).append("\t").append(holiday.kind).append("\t").append(holiday.name).append("\n");
  }
  return text;
}

}  // namespace tongshu::calendar

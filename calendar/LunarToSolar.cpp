#include "calendar/LunarToSolar.h"

#include <array>
#include <charconv>

namespace tongshu::calendar {
namespace {

using std::chrono::sys_days;

// The first day of the lunar month and its length, by walking the days the
// month can fall on: a lunar year runs from late January of its Gregorian
// year to mid-February of the next.
struct MonthSpan {
  sys_days first{};
  int length = 0;    // the days within the calendar's range
  bool whole = true;  // false where the month runs past the range's end
};

MonthSpan FindMonth(int lunarYear, int month, bool leap) {
  using namespace std::chrono;
  MonthSpan span;
  if (lunarYear < kFirstYear || lunarYear > kLastYear) return span;
  const sys_days from{year{lunarYear} / January / 1};
  const sys_days to{year{lunarYear + 1} / March / 1};
  for (sys_days d = from; d < to; d += days{1}) {
    const Date date{d};
    const auto lunar = ToLunar(date);
    if (!lunar || lunar->month != month || lunar->leap != leap || LunarYearOf(date) != lunarYear) {
      if (span.length > 0) break;
      continue;
    }
    if (span.length == 0) span.first = d;
    ++span.length;
  }
  const sys_days lastKnown{year{kLastYear} / December / 31};
  if (span.length > 0 && span.first + days{span.length - 1} == lastKnown) span.whole = false;
  return span;
}

constexpr std::string_view kLeapMark = "闰";
constexpr std::string_view kMonthMark = "月";
constexpr std::string_view kYearMark = "年";

bool Eat(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// A number of ASCII digits, within [1, max]; 0 when there is none.
int Digits(std::string_view& text, int max) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end == text.data() || value < 1 || value > max) return 0;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

// A month name without its 月: 正, 一 .. 十二, 冬, 腊. The longest first, so
// that 十一 is not read as 十.
int MonthName(std::string_view& text) {
  static constexpr std::array<std::pair<std::string_view, int>, 15> kNames{{
      {"十一", 11}, {"十二", 12}, {"正", 1}, {"一", 1}, {"二", 2}, {"三", 3}, {"四", 4}, {"五", 5},
      {"六", 6}, {"七", 7}, {"八", 8}, {"九", 9}, {"十", 10}, {"冬", 11}, {"腊", 12}}};
  for (const auto& [name, month] : kNames)
    if (Eat(text, name)) return month;
  return 0;
}

// A day name: 初一 .. 三十, also 二十一 .. 二十九 for 廿一 .. 廿九.
int DayName(std::string_view text) {
  for (int day = 1; day <= 30; ++day)
    if (text == kLunarDayNames[static_cast<std::size_t>(day)]) return day;
  static constexpr std::string_view kTwenty = "二十";
  if (text.starts_with(kTwenty) && text.size() > kTwenty.size()) {
    const std::string_view rest = text.substr(kTwenty.size());
    for (int day = 21; day <= 29; ++day)
      if (std::string_view(kLunarDayNames[static_cast<std::size_t>(day)]).substr(std::string_view("廿").size()) ==
          rest)
        return day;
  }
  return 0;
}

}  // namespace

std::optional<int> LunarYearOf(const Date& date) {
  const auto lunar = ToLunar(date);
  if (!lunar) return std::nullopt;
  const int y = static_cast<int>(date.year());
  const bool early = static_cast<unsigned>(date.month()) <= 3;
  return early && lunar->month >= 11 ? y - 1 : y;
}

int LunarMonthLength(int lunarYear, int month, bool leap) {
  const MonthSpan span = FindMonth(lunarYear, month, leap);
  return span.whole ? span.length : 0;
}

std::optional<Date> SolarOf(int lunarYear, const LunarDate& date) {
  const MonthSpan span = FindMonth(lunarYear, date.month, date.leap);
  if (date.day < 1 || date.day > span.length) return std::nullopt;
  return Date{span.first + std::chrono::days{date.day - 1}};
}

std::optional<WrittenLunarDate> ParseWrittenLunarDate(std::string_view text) {
  WrittenLunarDate written;
  std::string_view rest = text;
  // Y-M-D with digits, the month perhaps marked 闰.
  if (const int y = Digits(rest, 9999); y != 0 && Eat(rest, "-")) {
    written.year = y;
    written.date.leap = Eat(rest, kLeapMark);
    written.date.month = Digits(rest, 12);
    if (written.date.month == 0 || !Eat(rest, "-")) return std::nullopt;
    written.date.day = Digits(rest, 30);
    if (written.date.day == 0 || !rest.empty()) return std::nullopt;
    return written;
  }
  // [Y年][闰]M月D, in Chinese numerals.
  rest = text;
  if (const int y = Digits(rest, 9999); y != 0) {
    if (!Eat(rest, kYearMark)) return std::nullopt;
    written.year = y;
  } else {
    rest = text;
  }
  written.date.leap = Eat(rest, kLeapMark);
  written.date.month = MonthName(rest);
  if (written.date.month == 0 || !Eat(rest, kMonthMark)) return std::nullopt;
  written.date.day = DayName(rest);
  if (written.date.day == 0) return std::nullopt;
  return written;
}

}  // namespace tongshu::calendar

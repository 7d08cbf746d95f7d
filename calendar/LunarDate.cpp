#include "calendar/LunarDate.h"

#include <charconv>

#include "calendar/LunarCalendar.h"

namespace tongshu::calendar {
namespace {

constexpr std::string_view kLeap = "闰";

// One or two ASCII digits of a value 1..max; 0 for anything else.
int SmallNumber(std::string_view digits, int max) {
  int value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  const bool ok = digits.size() >= 1 && digits.size() <= 2 && ec == std::errc{} &&
                  end == digits.data() + digits.size() && value >= 1 && value <= max;
  return ok ? value : 0;
}

}  // namespace

std::string LunarMonthText(const LunarDate& date) {
  if (date.month < 1 || date.month > 12) return {};
  std::string text(date.leap ? kLeap : "");
  text.append(kLunarMonthNames[static_cast<std::size_t>(date.month)]).append("月");
  return text;
}

std::string LunarDateText(const LunarDate& date) {
  if (date.day < 1 || date.day > 30) return {};
  return LunarMonthText(date) + std::string(kLunarDayNames[static_cast<std::size_t>(date.day)]);
}

std::optional<LunarDate> ParseLunarDateText(std::string_view text) {
  LunarDate date;
  if (text.starts_with(kLeap)) {
    date.leap = true;
    text.remove_prefix(kLeap.size());
  }
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  date.month = SmallNumber(text.substr(0, dash), 12);
  date.day = SmallNumber(text.substr(dash + 1), 30);
  if (date.month == 0 || date.day == 0) return std::nullopt;
  return date;
}

}  // namespace tongshu::calendar

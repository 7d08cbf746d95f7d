#include "calendar/LunarBirthday.h"

#include <charconv>

#include "calendar/LunarCalendar.h"

namespace tongshu::cli {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

int CodeOf(sys_days day) { return calendar::LunarDateOf(std::chrono::year_month_day{day}); }

// The first day of the month after the one that holds `day`.
sys_days NextMonthStart(sys_days day) {
  sys_days d = day + days{1};
  // A lunar month has at most 30 days; 0 outside the range ends the walk too.
  for (int i = 0; i < 30 && calendar::LunarDayOfCode(CodeOf(d)) > 1; ++i) d += days{1};
  return d;
}

}  // namespace

std::optional<LunarBirthday> ParseLunarBirthday(std::string_view text) {
  LunarBirthday birthday;
  constexpr std::string_view kLeap = "闰";
  if (text.starts_with(kLeap)) {
    birthday.leap = true;
    text.remove_prefix(kLeap.size());
  }
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto number = [](std::string_view digits, int max) {
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const bool ok = digits.size() >= 1 && digits.size() <= 2 && ec == std::errc{} &&
                    end == digits.data() + digits.size() && value >= 1 && value <= max;
    return ok ? value : 0;
  };
  birthday.month = number(text.substr(0, dash), 12);
  birthday.day = number(text.substr(dash + 1), 30);
  if (birthday.month == 0 || birthday.day == 0) return std::nullopt;
  return birthday;
}

std::vector<BirthdayDay> LunarBirthdaysIn(const LunarBirthday& birthday, sys_days first, sys_days last) {
  std::vector<BirthdayDay> found;
  for (sys_days d = first; d <= last; d += days{1}) {
    const int code = CodeOf(d);
    if (code == 0 || calendar::LunarMonthOfCode(code) != birthday.month) continue;
    const bool leapDay = calendar::IsLeapCode(code);
    const int lunarDay = calendar::LunarDayOfCode(code);
    const bool shortMonth = birthday.day == 30 && lunarDay == 29 && calendar::LunarDayOfCode(CodeOf(d + days{1})) != 30;
    if (lunarDay != birthday.day && !shortMonth) continue;
    bool ordinaryMonth = false;
    if (birthday.leap && !leapDay) {
      // Kept here only when no leap month of this number follows.
      if (CodeOf(NextMonthStart(d)) == -(birthday.month * 100 + 1)) continue;
      ordinaryMonth = true;
    } else if (!birthday.leap && leapDay) {
      continue;
    }
    found.push_back({d, code, ordinaryMonth, shortMonth});
  }
  return found;
}

}  // namespace tongshu::cli

#include "calendar/LunarBirthday.h"

#include <optional>

#include "calendar/LunarCalendar.h"

namespace tongshu::calendar {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

std::optional<LunarDate> LunarOf(sys_days day) { return ToLunar(Date{day}); }

// The first day of the month after the one that holds `day`.
sys_days NextMonthStart(sys_days day) {
  sys_days d = day + days{1};
  // A lunar month has at most 30 days; the end of the range ends the walk too.
  for (int i = 0; i < 30; ++i, d += days{1}) {
    const auto lunar = LunarOf(d);
    if (!lunar || lunar->day == 1) break;
  }
  return d;
}

}  // namespace

std::vector<BirthdayDay> LunarBirthdaysIn(const LunarDate& birthday, sys_days first, sys_days last) {
  std::vector<BirthdayDay> found;
  for (sys_days d = first; d <= last; d += days{1}) {
    const auto lunar = LunarOf(d);
    if (!lunar || lunar->month != birthday.month) continue;
    const auto next = LunarOf(d + days{1});
    const bool shortMonth = birthday.day == 30 && lunar->day == 29 && !(next && next->day == 30);
    if (lunar->day != birthday.day && !shortMonth) continue;
    bool ordinaryMonth = false;
    if (birthday.leap && !lunar->leap) {
      // Kept here only when no leap month of this number follows.
      const auto following = LunarOf(NextMonthStart(d));
      if (following && *following == LunarDate{birthday.month, 1, true}) continue;
      ordinaryMonth = true;
    } else if (!birthday.leap && lunar->leap) {
      continue;
    }
    found.push_back({d, *lunar, ordinaryMonth, shortMonth});
  }
  return found;
}

}  // namespace tongshu::calendar

#include "calendar/MonthBuilder.h"

#include "calendar/CalendarAnnotations.h"

namespace tongshu::calendar {

MonthView BuildMonth(const Date& date) {
  using namespace std::chrono;
  MonthView view;
  view.year = static_cast<int>(date.year());
  view.month = static_cast<int>(static_cast<unsigned>(date.month()));
  view.zodiac = ZodiacOf(date);
  if (!date.year().ok() || !date.month().ok()) return view;

  const int selected = static_cast<int>(static_cast<unsigned>(date.day()));
  const year_month first = date.year() / date.month();
  view.firstCell = static_cast<int>(weekday{sys_days{first / 1}}.c_encoding()) + 1;
  const int length = DaysInMonthOf(date);

  for (int k = 1; k <= length; ++k) {
    const Date s = first / day{static_cast<unsigned>(k)};
    const int cell = CellOfDay(view.firstCell, k);
    DayCell& c = view.cells[static_cast<std::size_t>(cell - 1)];
    c.day = k;

    const int code = LunarDateOf(s);
    if (LunarDayOfCode(code) == 1) {
      c.text = LunarMonthNameOfCode(code);
      c.colour = kLunarMonthColour;
    } else {
      c.text = LunarDayNameOfCode(code);
      c.colour = kLunarDayColour;
    }
    if (std::string holiday = HolidayOf(k, date); !holiday.empty()) {
      c.text = std::move(holiday);
      c.colour = kFestivalColour;
    }
    if (std::string term = SolarTermOf(s); !term.empty()) {
      c.text = std::move(term);
      c.colour = kSolarTermColour;
    }
    if (std::string festival = LunarFestivalOf(s); !festival.empty()) {
      c.text = std::move(festival);
      c.colour = kFestivalColour;
    }
    if (k == selected) {
      view.markedCell = cell;
      view.starSign = ConstellationOfDay(selected, s);
    }
    c.visible = true;
  }
  return view;
}

}  // namespace tongshu::calendar

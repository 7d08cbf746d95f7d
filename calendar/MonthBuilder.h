#pragma once
// What the perpetual calendar shows for one Gregorian month: the 37 grid
// cells Sunday first, the marked day and the footer texts. Standard library
// only, so the window, the command-line companion and the tests share it.
#include <array>
#include <cstdint>
#include <string>

#include "calendar/LunarCalendar.h"

namespace tongshu::calendar {

inline constexpr int kMonthCells = 37;  // a Saturday first day plus 31 days ends in cell 37

// Colours of a cell's lunar line, RGB.
inline constexpr std::uint32_t kLunarDayColour = 0x004000;
inline constexpr std::uint32_t kLunarMonthColour = 0xFF0000;  // first day of a lunar month
inline constexpr std::uint32_t kFestivalColour = 0xFF8000;    // Gregorian and lunar festivals
inline constexpr std::uint32_t kSolarTermColour = 0x5353FF;
inline constexpr std::uint32_t kBlack = 0x000000;

struct DayCell {
  bool visible = false;
  int day = 0;        // day of the month, 0 for a hidden cell
  std::string text;   // the lunar line under the day number
  std::uint32_t colour = kBlack;
};

struct MonthView {
  int year = 0;
  int month = 0;
  std::string zodiac;                     // of the date the view was built for
  std::array<DayCell, kMonthCells> cells; // cells[i - 1] is cell i
  int firstCell = 0;                      // cell of day 1, 1 (Sunday) .. 7 (Saturday)
  int markedCell = 0;                     // cell of the date's own day
  std::string starSign;                   // of the date's own day
};

// Cell of day `day` when the month starts in `firstCell`.
constexpr int CellOfDay(int firstCell, int day) noexcept { return firstCell + day - 1; }
// Grid position of cell i (1..37): column 0 = Sunday.
constexpr int CellColumn(int cell) noexcept { return (cell - 1) % 7; }
constexpr int CellRow(int cell) noexcept { return (cell - 1) / 7; }

// The month of `date`, with the date's day marked. The lunar line takes,
// from lowest to highest precedence: lunar day name, lunar month name on the
// first day of a lunar month, Gregorian festival, solar term, lunar festival.
MonthView BuildMonth(const Date& date);

}  // namespace tongshu::calendar

#pragma once
// A lunar date as a value: month, day and whether the month is a leap month.
// The signed code (month * 100 + day, negative in a leap month) is what the
// calendar window and the command line's code column show; rules compare this.
#include <optional>
#include <string>
#include <string_view>

namespace tongshu::calendar {

struct LunarDate {
  int month = 0;  // 1..12
  int day = 0;    // 1..30
  bool leap = false;

  friend constexpr bool operator==(const LunarDate&, const LunarDate&) = default;

  // The date of a code; nothing for 0 or a code of no month 1..12 and day 1..30.
  static constexpr std::optional<LunarDate> FromCode(int code) noexcept {
    const int magnitude = code < 0 ? -code : code;
    const LunarDate date{magnitude / 100, magnitude % 100, code < 0};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 30) return std::nullopt;
    return date;
  }
  constexpr int code() const noexcept { return leap ? -(month * 100 + day) : month * 100 + day; }

  // An ordinary (not leap) month's date.
  constexpr bool isIn(int ordinaryMonth) const noexcept { return !leap && month == ordinaryMonth; }
};

// "正月", "闰四月": the month in full, as a date is spoken.
std::string LunarMonthText(const LunarDate& date);
// "正月初一", "闰四月初一".
std::string LunarDateText(const LunarDate& date);

// "M-D" or "闰M-D", month and day of one or two digits; nothing otherwise.
std::optional<LunarDate> ParseLunarDateText(std::string_view text);

}  // namespace tongshu::calendar

#pragma once
// Short date literals and printing for the calendar tests.
#include <chrono>
#include <cstdio>
#include <string>

namespace tongshu::calendar::testing {

constexpr std::chrono::year_month_day D(int y, unsigned m, unsigned d) {
  return std::chrono::year_month_day{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

inline std::string Str(const std::chrono::year_month_day& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

}  // namespace tongshu::calendar::testing

#pragma once
// Gregorian dates written as text: "Y-M" and "Y-M-D".
#include <chrono>
#include <optional>
#include <string_view>

namespace tongshu::calendar {

// "Y-M" and "Y-M-D" with 1 to 4 ASCII digits for the year (1..9999) and 1 or 2
// for month and day, leading zeros allowed, a real Gregorian date. Anything
// else, a blank, a sign or a further "-" included, gives nothing.
std::optional<std::chrono::year_month> ParseYearMonthText(std::string_view text);
std::optional<std::chrono::year_month_day> ParseYmdText(std::string_view text);

}  // namespace tongshu::calendar

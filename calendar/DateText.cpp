#include "calendar/DateText.h"

namespace tongshu::calendar {
namespace {

// The value of a field of 1..maxDigits ASCII digits, or -1.
int DigitsValue(std::string_view field, std::size_t maxDigits) {
  if (field.empty() || field.size() > maxDigits) return -1;
  int value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<std::chrono::year_month> ParseYearMonthText(std::string_view text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const int y = DigitsValue(text.substr(0, dash), 4);
  // A second "-" makes the month field a non-digit and fails here.
  const int m = DigitsValue(text.substr(dash + 1), 2);
  if (y < 1 || m < 1 || m > 12) return std::nullopt;
  return std::chrono::year{y} / std::chrono::month{static_cast<unsigned>(m)};
}

std::optional<std::chrono::year_month_day> ParseYmdText(std::string_view text) {
  const std::size_t dash = text.rfind('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto ym = ParseYearMonthText(text.substr(0, dash));
  const int d = DigitsValue(text.substr(dash + 1), 2);
  if (!ym || d < 1) return std::nullopt;
  const std::chrono::year_month_day date = *ym / std::chrono::day{static_cast<unsigned>(d)};
  if (!date.ok()) return std::nullopt;
  return date;
}

}  // namespace tongshu::calendar

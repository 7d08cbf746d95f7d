#include "HuangdaoLookup.h"

#include "Database.h"

namespace tongshu::almanac {
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

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string JoinDateText(std::string_view year, std::string_view month, std::string_view day) {
  std::string text;
  text.reserve(year.size() + month.size() + day.size() + 2);
  text.append(year).append("-").append(month).append("-").append(day);
  return text;
}

std::optional<std::chrono::year_month_day> ParseDateText(std::string_view dateText) {
  const std::size_t first = dateText.find('-');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = dateText.find('-', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const int y = DigitsValue(dateText.substr(0, first), 4);
  const int m = DigitsValue(dateText.substr(first + 1, second - first - 1), 2);
  // A third "-" makes the day field a non-digit and fails here.
  const int d = DigitsValue(dateText.substr(second + 1), 2);
  if (y < 100 || m < 1 || d < 1) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                                         std::chrono::day{static_cast<unsigned>(d)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::optional<std::string> HuangdaoStatement(std::string_view dateText) {
  if (!ParseDateText(dateText)) return std::nullopt;
  std::string sql = "Select top 1 * from huangdao where gn = #";
  sql.append(dateText).append("#");
  return sql;
}

HuangdaoDay FormatHuangdaoDay(std::string_view dateText, const db::Record& row) {
  HuangdaoDay day;
  day.overview.append(dateText).append("  ").append(TrimBlanks(row.field("nn")));
  day.lines.reserve(2 * kHuangdaoEntries.size() - 1);
  for (const HuangdaoEntry& entry : kHuangdaoEntries) {
    if (!day.lines.empty()) day.lines.emplace_back();
    std::string line(entry.label);
    line.append(TrimBlanks(row.field(entry.column)));
    day.lines.push_back(std::move(line));
  }
  return day;
}

}  // namespace tongshu::almanac

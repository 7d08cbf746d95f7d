#include "almanac/HuangdaoLookup.h"

#include "text/Utf8.h"

namespace tongshu::almanac {
namespace {

// The text before the next blank, and the rest after it.
std::string_view NextItem(std::string_view& rest) {
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  const std::size_t blank = rest.find(' ');
  const std::string_view item = rest.substr(0, blank);
  rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank);
  return item;
}

}  // namespace

std::string JoinDateText(std::string_view year, std::string_view month, std::string_view day) {
  std::string text;
  text.reserve(year.size() + month.size() + day.size() + 2);
  text.append(year).append("-").append(month).append("-").append(day);
  return text;
}

std::optional<std::chrono::year_month_day> ParseDateText(std::string_view dateText) {
  const auto date = calendar::ParseYmdText(dateText);
  if (!date || date->year() < std::chrono::year{100}) return std::nullopt;
  return date;
}

std::optional<std::string> HuangdaoStatement(std::string_view dateText) {
  if (!ParseDateText(dateText)) return std::nullopt;
  std::string sql = "Select top 1 * from huangdao where gn = #";
  sql.append(dateText).append("#");
  return sql;
}

HuangdaoRequest CheckHuangdaoBoxes(std::string_view year, std::string_view month, std::string_view day) {
  HuangdaoRequest request;
  const std::string_view y = TrimLow(year), m = TrimLow(month), d = TrimLow(day);
  if (y.empty()) {
    request.message = kNoYearMessage;
  } else if (m.empty()) {
    request.message = kNoMonthMessage;
  } else if (d.empty()) {
    request.message = kNoDayMessage;
  } else {
    request.dateText = JoinDateText(y, m, d);
    if (auto sql = HuangdaoStatement(request.dateText)) {
      request.statement = std::move(*sql);
    } else {
      request.message = kInvalidDateMessage;
    }
  }
  return request;
}

HuangdaoRow HuangdaoRowOf(const std::function<std::string(std::string_view column)>& fieldOf) {
  HuangdaoRow row;
  for (const HuangdaoColumn& column : kHuangdaoColumns) row.*column.text = fieldOf(column.name);
  return row;
}

HuangdaoDay FormatHuangdaoDay(std::string_view dateText, const HuangdaoRow& row) {
  HuangdaoDay day;
  day.overview.append(dateText).append("  ").append(TrimLow(row.nn));
  day.lines.reserve(2 * (kHuangdaoColumns.size() - 1) - 1);
  for (const HuangdaoColumn& entry : kHuangdaoColumns) {
    if (entry.label.empty()) continue;
    if (!day.lines.empty()) day.lines.emplace_back();
    std::string line(entry.label);
    line.append(TrimLow(row.*entry.text));
    day.lines.push_back(std::move(line));
  }
  return day;
}

HuangdaoOverview ParseOverview(std::string_view nn) {
  std::string_view rest = TrimLow(nn);
  HuangdaoOverview overview;
  overview.lunarDate = NextItem(rest);
  constexpr std::string_view kLunarPrefix = "农历";
  if (overview.lunarDate.starts_with(kLunarPrefix)) overview.lunarDate.remove_prefix(kLunarPrefix.size());
  overview.zodiacYear = NextItem(rest);
  overview.weekday = NextItem(rest);
  overview.dayStar = NextItem(rest);
  overview.officer = NextItem(rest);
  overview.mansion = NextItem(rest);
  overview.solarTerm = NextItem(rest);
  return overview;
}

std::string_view ClashAnimal(std::string_view cong) {
  constexpr std::string_view kClash = "冲";
  cong = TrimLow(cong);
  if (!cong.starts_with(kClash)) return {};
  cong.remove_prefix(kClash.size());
  // The animal is one character, never ASCII.
  const std::size_t n = Utf8SequenceLength(cong);
  if (n < 2) return {};
  return cong.substr(0, n);
}

std::vector<std::string_view> ListItems(std::string_view list) {
  std::vector<std::string_view> items;
  std::string_view rest = TrimLow(list);
  for (std::string_view item = NextItem(rest); !item.empty(); item = NextItem(rest)) items.push_back(item);
  return items;
}

bool ListHolds(std::string_view list, std::string_view item) {
  for (std::string_view found = NextItem(list); !found.empty(); found = NextItem(list))
    if (found == item) return true;
  return false;
}

}  // namespace tongshu::almanac

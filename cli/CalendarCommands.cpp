// lunar and month: the calendar engine and the month builder the perpetual
// calendar window fills its grid from.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>

#include "CalendarAnnotations.h"
#include "Commands.h"
#include "Json.h"
#include "LunarCalendar.h"
#include "MonthBuilder.h"
#include "NumberText.h"

namespace tongshu::cli {
namespace {

using calendar::Date;

constexpr std::string_view kInvalidDate = "请选择有效的日期!";

// 1 to maxDigits ASCII digits, nothing else.
std::optional<int> Digits(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "Y-M" or "Y-M-D": a year of 1 to 4 digits (1..9999), month and day of 1 or
// 2 digits, leading zeros allowed, no blanks or signs.
std::optional<std::chrono::year_month> ParseYearMonth(std::string_view text) {
  const auto dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto year = Digits(text.substr(0, dash), 4);
  const auto month = Digits(text.substr(dash + 1), 2);
  if (!year || !month || *year < 1 || *month < 1 || *month > 12) return std::nullopt;
  return std::chrono::year{*year} / std::chrono::month{static_cast<unsigned>(*month)};
}

Date ParseDate(std::string_view text) {
  const auto dash = text.rfind('-');
  if (dash != std::string_view::npos) {
    const auto ym = ParseYearMonth(text.substr(0, dash));
    const auto day = Digits(text.substr(dash + 1), 2);
    if (ym && day && *day >= 1) {
      const Date date = *ym / std::chrono::day{static_cast<unsigned>(*day)};
      if (date.ok()) return date;
    }
  }
  throw InputError(std::string(kInvalidDate));
}

std::string DateText(const Date& date) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buf;
}

std::string ColourText(std::uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
  return buf;
}

void AppendLunarLine(std::string& buffer, const Date& date, bool json) {
  const int code = calendar::LunarDateOf(date);
  const unsigned dayOfMonth = static_cast<unsigned>(date.day());
  const std::string dateText = DateText(date);
  const std::string codeText = std::to_string(code);
  const std::string month = calendar::LunarMonthNameOfCode(code);
  const std::string day = calendar::LunarDayNameOfCode(code);
  const std::string zodiac = calendar::ZodiacOf(date);
  const std::string term = calendar::SolarTermOf(date);
  const std::string lunarFestival = calendar::LunarFestivalOf(date);
  const std::string holiday = calendar::HolidayOf(static_cast<int>(dayOfMonth), date);
  const std::string starSign = calendar::ConstellationOf(date);
  if (json) {
    buffer += JsonObject()
                  .addString("date", dateText)
                  .addInt("code", code)
                  .addString("month", month)
                  .addString("day", day)
                  .addString("zodiac", zodiac)
                  .addString("solarTerm", term)
                  .addString("lunarFestival", lunarFestival)
                  .addString("holiday", holiday)
                  .addString("starSign", starSign)
                  .str();
  } else {
    for (const std::string_view field :
         {std::string_view(dateText), std::string_view(codeText), std::string_view(month),
          std::string_view(day), std::string_view(zodiac), std::string_view(term),
          std::string_view(lunarFestival), std::string_view(holiday), std::string_view(starSign)}) {
      buffer.append(field);
      buffer.push_back('\t');
    }
    buffer.pop_back();
  }
  buffer.push_back('\n');
}

}  // namespace

int LunarCommand(const CommandLine& line, Context& ctx) {
  const auto from = line.value("from");
  const auto to = line.value("to");
  Date first, last;
  if (line.positional.size() == 1 && !from && !to) {
    first = last = ParseDate(line.positional.front());
  } else if (line.positional.empty() && from && to) {
    first = ParseDate(*from);
    last = ParseDate(*to);
    if (std::chrono::sys_days{first} > std::chrono::sys_days{last})
      throw InputError("起始日期不能晚于结束日期!");
  } else {
    throw InputError("tongshu-cli lunar: give one DATE, or --from DATE and --to DATE (see tongshu-cli lunar --help)");
  }

  // Written in large blocks: a whole 150-year range is some 55,000 lines.
  std::string buffer;
  buffer.reserve(1 << 17);
  const std::chrono::sys_days end{last};
  for (std::chrono::sys_days d{first}; d <= end; d += std::chrono::days{1}) {
    AppendLunarLine(buffer, Date{d}, line.json);
    if (buffer.size() >= (1 << 16)) {
      ctx.out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  }
  ctx.out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  return kExitOk;
}

int MonthCommand(const CommandLine& line, Context& ctx) {
  RequirePositional("month", line, 1);
  const auto ym = ParseYearMonth(line.positional.front());
  if (!ym) throw InputError(std::string(kInvalidDate));
  int day = 1;
  if (const auto dayText = line.value("day")) {
    const std::int64_t d = numerology::StrToInt64(*dayText);
    if (d < 1 || d > 31) throw InputError(std::string(kInvalidDate));
    day = static_cast<int>(d);
  }
  const Date date = calendar::FitDate(static_cast<int>(ym->year()), static_cast<int>(static_cast<unsigned>(ym->month())), day);
  const calendar::MonthView view = calendar::BuildMonth(date);
  const int markedDay = static_cast<int>(static_cast<unsigned>(date.day()));

  char monthText[16];
  std::snprintf(monthText, sizeof monthText, "%04d-%02d", view.year, view.month);
  if (line.json) {
    std::vector<std::string> cells;
    for (int i = 1; i <= calendar::kMonthCells; ++i) {
      const calendar::DayCell& c = view.cells[static_cast<std::size_t>(i - 1)];
      cells.push_back(JsonObject()
                          .addInt("cell", i)
                          .addBool("visible", c.visible)
                          .addInt("day", c.day)
                          .addString("text", c.text)
                          .addString("colour", ColourText(c.colour))
                          .str());
    }
    ctx.out << JsonObject()
                   .addInt("year", view.year)
                   .addInt("month", view.month)
                   .addInt("day", markedDay)
                   .addInt("firstCell", view.firstCell)
                   .addInt("markedCell", view.markedCell)
                   .addString("zodiac", view.zodiac)
                   .addString("starSign", view.starSign)
                   .addRaw("cells", JsonArray(cells))
                   .str()
            << '\n';
    return kExitOk;
  }
  WriteFields(ctx.out, {monthText, std::to_string(markedDay), std::to_string(view.markedCell), view.zodiac,
                        view.starSign});
  for (int i = 1; i <= calendar::kMonthCells; ++i) {
    const calendar::DayCell& c = view.cells[static_cast<std::size_t>(i - 1)];
    if (c.visible) {
      WriteFields(ctx.out, {std::to_string(i), std::to_string(c.day), c.text, ColourText(c.colour)});
    } else {
      WriteFields(ctx.out, {std::to_string(i), "", "", ""});
    }
  }
  return kExitOk;
}

}  // namespace tongshu::cli

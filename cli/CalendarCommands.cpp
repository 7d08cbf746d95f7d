// lunar and month: the calendar engine and the month builder the perpetual
// calendar window fills its grid from.
#include <chrono>
#include <cstdio>
#include <optional>

#include "almanac/HuangdaoLookup.h"
#include "calendar/CalendarAnnotations.h"
#include "calendar/LunarCalendar.h"
#include "calendar/LunarToSolar.h"
#include "calendar/MonthBuilder.h"
#include "cli/Commands.h"
#include "cli/Dates.h"
#include "cli/HolidayFile.h"
#include "cli/Json.h"
#include "numerology/NumberText.h"

namespace tongshu::cli {
namespace {

using calendar::Date;

std::string ColourText(std::uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
  return buf;
}

void AppendLunarLine(std::string& buffer, const Date& date, const calendar::Holidays& holidays, bool json) {
  const int code = calendar::LunarDateOf(date);
  const unsigned dayOfMonth = static_cast<unsigned>(date.day());
  const std::string dateText = IsoDate(date);
  const calendar::PublicHoliday* publicHoliday = holidays.find(std::chrono::sys_days{date});
  const std::string_view offOrWork = publicHoliday ? std::string_view(publicHoliday->kind) : std::string_view();
  const std::string codeText = std::to_string(code);
  const std::string month = calendar::LunarMonthNameOfCode(code);
  const std::string day = calendar::LunarDayNameOfCode(code);
  // The zodiac year is a lunar year: outside the calendar's range it is not
  // known, and the column stays empty like the other lunar ones.
  const std::string zodiac = calendar::ToLunar(date) ? calendar::ZodiacOf(date) : std::string();
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
                  .addString("publicHoliday", offOrWork)
                  .str();
  } else {
    for (const std::string_view field :
         {std::string_view(dateText), std::string_view(codeText), std::string_view(month),
          std::string_view(day), std::string_view(zodiac), std::string_view(term),
          std::string_view(lunarFestival), std::string_view(holiday), std::string_view(starSign), offOrWork}) {
      buffer.append(field);
      buffer.push_back('\t');
    }
    buffer.pop_back();
  }
  buffer.push_back('\n');
}

}  // namespace

int LunarCommand(const CommandLine& line, Context& ctx) {
  DateRange range;
  if (line.positional.empty() && !line.value("from") && !line.value("to")) {
    range = OrderedRange(ctx.today, ctx.today);
  } else if (line.positional.size() == 1 && !line.value("from") && !line.value("to")) {
    const Date date = ParseDateArgument(line.positional.front());
    range = OrderedRange(date, date);
  } else if (line.positional.empty() && line.value("from") && line.value("to")) {
    range = RangeOptions("lunar", line);
  } else {
    throw InputError(
        "tongshu-cli lunar: give one DATE, --from DATE and --to DATE, or nothing for today (see tongshu-cli lunar "
        "--help)");
  }
  const calendar::Holidays holidays = LoadOverlaidHolidays(ctx.dataDir);
  if (const std::string note = UncoveredNote(holidays, range.first, range.last); !note.empty()) ctx.err << note << '\n';

  // Written in large blocks: a whole 150-year range is some 55,000 lines.
  std::string buffer;
  buffer.reserve(1 << 17);
  for (std::chrono::sys_days d = range.first; d <= range.last; d += std::chrono::days{1}) {
    AppendLunarLine(buffer, Date{d}, holidays, line.json);
    if (buffer.size() >= (1 << 16)) {
      ctx.out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  }
  ctx.out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  return kExitOk;
}

namespace {

int ShowMonth(const CommandLine& line, Context& ctx, std::chrono::year_month shown, int defaultDay) {
  int day = defaultDay;
  if (const auto dayText = line.value("day")) {
    const std::int64_t d = numerology::StrToInt64(*dayText);
    if (d < 1 || d > 31) throw InputError(std::string(almanac::kInvalidDateMessage));
    day = static_cast<int>(d);
  }
  const Date date = calendar::FitDate(static_cast<int>(shown.year()), static_cast<int>(static_cast<unsigned>(shown.month())), day);
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

}  // namespace

int MonthCommand(const CommandLine& line, Context& ctx) {
  if (line.positional.empty()) {
    // This month, with today marked, unless a day is asked for.
    const int today = static_cast<int>(static_cast<unsigned>(ctx.today.day()));
    return ShowMonth(line, ctx, ctx.today.year() / ctx.today.month(), today);
  }
  RequirePositional("month", line, 1);
  const auto ym = calendar::ParseYearMonthText(almanac::TrimLow(line.positional.front()));
  if (!ym) throw InputError(std::string(almanac::kInvalidDateMessage));
  return ShowMonth(line, ctx, *ym, 1);
}

int SolarCommand(const CommandLine& line, Context& ctx) {
  RequirePositional("solar", line, 1);
  const std::string_view given = almanac::TrimLow(line.positional.front());
  const auto written = calendar::ParseWrittenLunarDate(given);
  if (!written)
    throw InputError("tongshu-cli solar: '" + std::string(given) +
                     "' is not a lunar date such as 2027-8-15, 2033-闰11-1 or 2027年八月十五 (see tongshu-cli solar "
                     "--help)");
  // Without a year: the lunar year of today.
  const int lunarYear = written->year ? *written->year : calendar::LunarYearOf(ctx.today).value_or(0);
  if (lunarYear < calendar::kFirstYear || lunarYear > calendar::kLastYear)
    throw InputError("农历年份超出数据的范围（" + std::to_string(calendar::kFirstYear) + " 至 " +
                     std::to_string(calendar::kLastYear) + "）!");
  const calendar::LunarDate& lunar = written->date;
  const std::string yearText = std::to_string(lunarYear) + "年";
  const int length = calendar::LunarMonthLength(lunarYear, lunar.month, lunar.leap);
  const auto date = calendar::SolarOf(lunarYear, lunar);
  if (!date) {
    // Every year has its twelve ordinary months: one not found, or found only
    // in part, runs past the calendar's end.
    if (length == 0 && (!lunar.leap || calendar::SolarOf(lunarYear, {lunar.month, 1, lunar.leap})))
      throw InputError("日期超出数据的范围（" + IsoDate(Date{std::chrono::year{calendar::kLastYear} / 12 / 31}) +
                       " 以后不详）!");
    if (length == 0) throw InputError(yearText + "没有" + calendar::LunarMonthText(lunar) + "!");
    throw InputError(yearText + calendar::LunarMonthText(lunar) + "只有" + std::to_string(length) + "天，没有" +
                     std::string(calendar::kLunarDayNames[static_cast<std::size_t>(lunar.day)]) + "!");
  }
  if (line.json) {
    ctx.out << JsonObject()
                   .addInt("lunarYear", lunarYear)
                   .addInt("month", lunar.month)
                   .addInt("day", lunar.day)
                   .addBool("leap", lunar.leap)
                   .addString("date", IsoDate(*date))
                   .str()
            << '\n';
  } else {
    ctx.out << IsoDate(*date) << '\n';
  }
  return kExitOk;
}

}  // namespace tongshu::cli

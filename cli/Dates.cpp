#include "cli/Dates.h"

#include <cstdio>

#include "almanac/HuangdaoLookup.h"
#include "calendar/LunarCalendar.h"

namespace tongshu::cli {

Date ParseDateArgument(std::string_view text) {
  // Blanks and control characters around it (a CR from a file edited on
  // Windows) are trimmed, as the almanac's boxes trim theirs, in every command.
  if (const auto date = calendar::ParseYmdText(almanac::TrimLow(text))) return *date;
  throw InputError(std::string(almanac::kInvalidDateMessage));
}

std::string IsoDate(const Date& date) {
  const int y = static_cast<int>(date.year());
  const auto m = static_cast<unsigned>(date.month()), d = static_cast<unsigned>(date.day());
  if (y < 0 || y > 9999 || m > 99 || d > 99) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", y, m, d);
    return buf;
  }
  // Digit by digit: a long range formats tens of thousands of dates.
  const auto u = static_cast<unsigned>(y);
  const char text[10] = {static_cast<char>('0' + u / 1000),     static_cast<char>('0' + u / 100 % 10),
                         static_cast<char>('0' + u / 10 % 10),  static_cast<char>('0' + u % 10),
                         '-',                                   static_cast<char>('0' + m / 10),
                         static_cast<char>('0' + m % 10),       '-',
                         static_cast<char>('0' + d / 10),       static_cast<char>('0' + d % 10)};
  return std::string(text, sizeof text);
}

DateRange OrderedRange(const Date& first, const Date& last) {
  const DateRange range{std::chrono::sys_days{first}, std::chrono::sys_days{last}};
  if (range.first > range.last) throw InputError("起始日期不能晚于结束日期!");
  return range;
}

DateRange RangeOptions(std::string_view command, const CommandLine& line) {
  const auto from = line.value("from");
  const auto to = line.value("to");
  if (!from || !to) {
    const std::string name(command);
    throw InputError("tongshu-cli " + name + ": give --from DATE and --to DATE (see tongshu-cli " + name +
                     " --help)");
  }
  return OrderedRange(ParseDateArgument(*from), ParseDateArgument(*to));
}

void RequireDataRange(const DateRange& range) {
  using namespace std::chrono;
  const sys_days first{year{calendar::kFirstYear} / January / 1};
  const sys_days last{year{calendar::kLastYear} / December / 31};
  if (range.first < first || range.last > last)
    throw InputError("日期超出数据的范围（" + IsoDate(Date{first}) + " 至 " + IsoDate(Date{last}) + "）!");
}

}  // namespace tongshu::cli

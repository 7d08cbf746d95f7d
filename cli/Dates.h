#pragma once
// Dates on the command line: the Y-M-D argument, the --from/--to range and
// the ISO form of the output.
#include <chrono>
#include <string>
#include <string_view>

#include "cli/Arguments.h"

namespace tongshu::cli {

using Date = std::chrono::year_month_day;

// Y-M-D with a year of 1 to 9999, blanks and control characters around it
// trimmed; anything else is InputError with the almanac window's
// invalid-date message.
Date ParseDateArgument(std::string_view text);

// YYYY-MM-DD.
std::string IsoDate(const Date& date);

struct DateRange {
  std::chrono::sys_days first, last;  // both included
};

// Throws InputError unless first <= last.
DateRange OrderedRange(const Date& first, const Date& last);

// --from DATE --to DATE, both required.
DateRange RangeOptions(std::string_view command, const CommandLine& line);

// The days the almanac table and the lunar engine hold: 1901-01-01 to
// 2050-12-31. Throws InputError for a range reaching outside them.
void RequireDataRange(const DateRange& range);

}  // namespace tongshu::cli

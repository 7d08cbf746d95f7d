#pragma once
// holidays.tsv beside the data files: read through the data files' reader,
// with the command line's messages for a damaged file and uncovered years.
#include <chrono>
#include <string>
#include <string_view>

#include "calendar/Holidays.h"

namespace tongshu::cli {

inline constexpr std::string_view kHolidaysFile = "holidays.tsv";

// Throws db::DbError when the file is missing, unreadable or not in the
// table's form (the line is named).
calendar::Holidays LoadHolidays(const std::string& path);

// One line for the years of [first, last] the file does not cover, or an
// empty text when it covers them all.
std::string UncoveredNote(const calendar::Holidays& holidays, std::chrono::sys_days first, std::chrono::sys_days last);

}  // namespace tongshu::cli

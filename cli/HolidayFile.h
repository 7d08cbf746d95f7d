#pragma once
// The holiday tables: holidays.tsv beside the data files, read through the
// data files' reader, and the user's own file of imported years, which lies
// over it year by year. With the command line's messages for a damaged file
// and uncovered years.
#include <chrono>
#include <string>
#include <string_view>

#include "calendar/Holidays.h"

namespace tongshu::cli {

inline constexpr std::string_view kHolidaysFile = "holidays.tsv";

// Throws db::DbError when the file is missing, unreadable or not in the
// table's form (the line is named).
calendar::Holidays LoadHolidays(const std::string& path);

// The user's file: $XDG_DATA_HOME/tongshu/holidays.tsv (an absolute
// XDG_DATA_HOME), else ~/.local/share/tongshu/holidays.tsv; on Windows
// %APPDATA%\tongshu\holidays.tsv. UTF-8; empty when nothing names a folder.
std::string UserHolidaysPath();

// The user's file, or an empty table when there is none. Throws db::DbError
// when it is there but unreadable or damaged.
calendar::Holidays LoadUserHolidays(const std::string& path);

// holidays.tsv in dataDir (which ends in a separator) with the user's years
// over it. Throws db::DbError for either file.
calendar::Holidays LoadOverlaidHolidays(const std::string& dataDir);

// Replaces the file with the table: written beside it under another name,
// then renamed over it, so a reader sees the old file or the new one whole.
// Makes the folder when missing. Throws std::runtime_error.
void WriteHolidays(const std::string& path, const calendar::Holidays& table);

// One line for the years of [first, last] the table does not cover, or an
// empty text when it covers them all.
std::string UncoveredNote(const calendar::Holidays& holidays, std::chrono::sys_days first, std::chrono::sys_days last);

}  // namespace tongshu::cli

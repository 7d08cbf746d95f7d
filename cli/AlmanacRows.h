#pragma once
// Table huangdao of KorBirth.dll for the commands that read many days of it
// (jiri, ics): the query, with the rows chosen by almanac::AlmanacDaySieve.
#include <chrono>
#include <functional>
#include <string>

#include "almanac/AlmanacTable.h"
#include "cli/Dates.h"

namespace tongshu::db {
class Database;
}

namespace tongshu::cli {

// Calls `visit` once for each day of `range` that the table holds, in the
// file's order. Throws db::DbError for the reader's failures.
void ForEachAlmanacDay(db::Database& database, const std::string& dataDir, const DateRange& range,
                       const std::function<void(std::chrono::sys_days, const almanac::AlmanacDayTexts&)>& visit);

}  // namespace tongshu::cli

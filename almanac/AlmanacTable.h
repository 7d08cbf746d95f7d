#pragma once
// Table huangdao of KorBirth.dll read in one pass, for the commands that need
// many days of it (jiri, ics).
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "cli/Dates.h"

namespace tongshu::db {
class Database;
}

namespace tongshu::cli {

// The texts of a row the searches read; they live for one call of the visitor.
struct AlmanacDayTexts {
  std::string_view nn, cong, yi, ji;
};

// Calls `visit` once for each day of `range` that the table holds, in the
// file's order; a second row for a day is passed over, as the window shows
// the first. Throws db::DbError for the reader's failures.
void ForEachAlmanacDay(db::Database& database, const std::string& dataDir, const DateRange& range,
                       const std::function<void(std::chrono::sys_days, const AlmanacDayTexts&)>& visit);

}  // namespace tongshu::cli

#include "cli/AlmanacRows.h"

#include <vector>

#include "db/Database.h"
#include "services/ConnStr.h"

namespace tongshu::cli {

void ForEachAlmanacDay(db::Database& database, const std::string& dataDir, const DateRange& range,
                       const std::function<void(std::chrono::sys_days, const almanac::AlmanacDayTexts&)>& visit) {
  const std::vector<std::string> columns(almanac::kAlmanacDayColumns.begin(), almanac::kAlmanacDayColumns.end());
  almanac::AlmanacDaySieve sieve(range.first, range.last);
  database.forEachRow(BuildConnStr(dataDir, kBirthTail), "huangdao", columns, [&](const db::Record& record) {
    const std::string_view gn = record.values.empty() || !record.values[0] ? std::string_view() : *record.values[0];
    if (const auto day = sieve.take(gn)) visit(*day, almanac::AlmanacDayTextsOf(record.values));
  });
}

}  // namespace tongshu::cli

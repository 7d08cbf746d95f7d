// jiri: the days of a range whose 宜 list holds an activity and whose 忌 list
// does not, from one pass over table huangdao.
#include <algorithm>
#include <vector>

#include "almanac/AlmanacTable.h"
#include "cli/Commands.h"
#include "cli/Dates.h"
#include "almanac/HuangdaoLookup.h"
#include "almanac/JiriSearch.h"
#include "cli/Json.h"

namespace tongshu::cli {

int JiriCommand(const CommandLine& line, Context& ctx) {
  // Everything is checked before the data file is opened.
  if (line.positional.size() != 1)
    throw InputError("tongshu-cli jiri: give one ACTIVITY, --from DATE and --to DATE (see tongshu-cli jiri --help)");
  const Activity activity = ResolveActivity(line.positional.front());
  const DateRange range = RangeOptions("jiri", line);
  RequireDataRange(range);
  const auto zodiac = line.value("zodiac");
  const std::string_view animal = zodiac ? ResolveAnimal(*zodiac) : std::string_view();
  const bool weekendOnly = line.flag("weekend");

  struct Found {
    std::chrono::sys_days day;
    std::string nn, cong, matched;
  };
  std::vector<Found> found;
  ForEachAlmanacDay(ctx.database, ctx.dataDir, range, [&](std::chrono::sys_days day, const AlmanacDayTexts& row) {
    auto matched = MatchDay(activity, row.yi, row.ji);
    if (!matched) return;
    if (!animal.empty() && almanac::ClashAnimal(row.cong) == animal) return;
    if (weekendOnly) {
      const std::string_view weekday = almanac::ParseOverview(row.nn).weekday;
      if (weekday != "星期六" && weekday != "星期日") return;
    }
    found.push_back({day, std::string(row.nn), std::string(row.cong), std::move(*matched)});
  });
  // One row a day already; the file's order need not be the calendar's.
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.day < b.day; });
  if (found.empty()) {
    ctx.err << IsoDate(Date{range.first}) << " 至 " << IsoDate(Date{range.last}) << " 之间没有适合" << activity.word
            << "的日子\n";
    return kExitNoRow;
  }

  std::string buffer;
  for (const Found& f : found) {
    const almanac::HuangdaoOverview o = almanac::ParseOverview(f.nn);
    const std::string date = IsoDate(Date{f.day});
    const std::string_view clash = almanac::TrimLow(f.cong);
    if (line.json) {
      buffer += JsonObject()
                    .addString("date", date)
                    .addString("weekday", o.weekday)
                    .addString("lunarDate", o.lunarDate)
                    .addString("dayStar", o.dayStar)
                    .addString("officer", o.officer)
                    .addString("clash", clash)
                    .addString("matched", f.matched)
                    .str();
      buffer.push_back('\n');
    } else {
      for (const std::string_view field : {std::string_view(date), o.weekday, o.lunarDate, o.dayStar, o.officer, clash,
                                           std::string_view(f.matched)})
        buffer.append(field).push_back('\t');
      buffer.back() = '\n';
    }
  }
  ctx.out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  return kExitOk;
}

}  // namespace tongshu::cli

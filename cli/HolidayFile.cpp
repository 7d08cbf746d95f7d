#include "cli/HolidayFile.h"

#include "cli/Dates.h"
#include "db/DataFile.h"
#include "db/Database.h"

namespace tongshu::cli {
namespace {

std::string YearSpanText(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "–" + std::to_string(last);
}

}  // namespace

calendar::Holidays LoadHolidays(const std::string& path) {
  // Through the data files' reader: on Windows it opens a folder of any name.
  std::string text;
  try {
    db::FileStamp stamp;
    const db::FileBytes bytes = db::ReadWholeFile(path, stamp);
    text.assign(bytes.begin(), bytes.end());
  } catch (const db::NotRegularFileError&) {
    throw db::DbError("数据文件不是普通文件：" + path);
  }
  try {
    return calendar::Holidays::Parse(text);
  } catch (const calendar::HolidayTableError& e) {
    throw db::DbError("节假日数据文件已损坏（第 " + std::to_string(e.line()) + " 行）：" + path);
  }
}

std::string UncoveredNote(const calendar::Holidays& holidays, std::chrono::sys_days first, std::chrono::sys_days last) {
  const auto spans = holidays.uncoveredYears(static_cast<int>(Date{first}.year()), static_cast<int>(Date{last}.year()));
  if (spans.empty()) return {};
  std::string missing;
  for (const calendar::YearSpan& span : spans) {
    if (!missing.empty()) missing += "、";
    missing += YearSpanText(span.first, span.last);
  }
  const std::string covered =
      holidays.empty() ? "不含任何年份" : "只含 " + YearSpanText(holidays.firstYear(), holidays.lastYear()) + " 年";
  return "tongshu-cli: 节假日数据" + covered + "，" + missing + " 年的休/班不详";
}

}  // namespace tongshu::cli

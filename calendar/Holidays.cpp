#include "calendar/Holidays.h"

#include <sstream>
#include <vector>

#include "db/DataFile.h"
#include "db/Database.h"
#include "cli/Dates.h"
#include "almanac/HuangdaoLookup.h"

namespace tongshu::cli {
namespace {

constexpr std::string_view kHeader = "date\tkind\tname";

std::string YearSpan(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "–" + std::to_string(last);
}

}  // namespace

Holidays Holidays::Load(const std::string& path) {
  // Through the data files' reader: on Windows it opens a folder of any name.
  std::string text;
  try {
    db::FileStamp stamp;
    const db::FileBytes bytes = db::ReadWholeFile(path, stamp);
    text.assign(bytes.begin(), bytes.end());
  } catch (const db::NotRegularFileError&) {
    throw db::DbError("数据文件不是普通文件：" + path);
  }
  std::istringstream in(text);
  Holidays holidays;
  const auto damaged = [&](int lineNumber) {
    return db::DbError("节假日数据文件已损坏（第 " + std::to_string(lineNumber) + " 行）：" + path);
  };
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNumber == 1) {
      if (line != kHeader) throw damaged(lineNumber);
      continue;
    }
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) throw damaged(lineNumber);
    const auto date = almanac::ParseYmdText(std::string_view(line).substr(0, tab1));
    PublicHoliday day{line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)};
    if (!date || (day.kind != "休" && day.kind != "班") || day.name.empty()) throw damaged(lineNumber);
    if (!holidays.days_.emplace(std::chrono::sys_days{*date}, std::move(day)).second) throw damaged(lineNumber);
  }
  if (in.bad() || lineNumber == 0) throw damaged(lineNumber);
  if (!holidays.days_.empty()) {
    holidays.firstYear_ = static_cast<int>(Date{holidays.days_.begin()->first}.year());
    holidays.lastYear_ = static_cast<int>(Date{holidays.days_.rbegin()->first}.year());
  }
  return holidays;
}

const PublicHoliday* Holidays::find(std::chrono::sys_days day) const {
  const auto it = days_.find(day);
  return it == days_.end() ? nullptr : &it->second;
}

std::string Holidays::uncoveredNote(std::chrono::sys_days first, std::chrono::sys_days last) const {
  const int from = static_cast<int>(Date{first}.year());
  const int to = static_cast<int>(Date{last}.year());
  std::string missing;
  const auto add = [&](int a, int b) {
    if (a > b) return;
    if (!missing.empty()) missing += "、";
    missing += YearSpan(a, b);
  };
  if (empty()) {
    add(from, to);
  } else {
    add(from, std::min(to, firstYear_ - 1));
    add(std::max(from, lastYear_ + 1), to);
  }
  if (missing.empty()) return {};
  const std::string covered = empty() ? "不含任何年份" : "只含 " + YearSpan(firstYear_, lastYear_) + " 年";
  return "tongshu-cli: 节假日数据" + covered + "，" + missing + " 年的休/班不详";
}

}  // namespace tongshu::cli

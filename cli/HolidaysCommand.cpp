// holidays: the State Council's yearly notice read into the user's holiday
// file, and the years the holiday data holds.
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "calendar/HolidayNotice.h"
#include "cli/Commands.h"
#include "cli/Dates.h"
#include "cli/HolidayFile.h"
#include "cli/Json.h"

namespace tongshu::cli {
namespace {

// A notice is a few kilobytes; a larger input is not one (and /dev/zero never ends).
constexpr std::size_t kMaxNoticeBytes = std::size_t{1} << 20;

[[noreturn]] void Refuse(std::string_view action, const std::string& why) {
  throw InputError("tongshu-cli holidays " + std::string(action) + ": " + why);
}

std::string ReadNotice(const std::string& source, std::istream* in) {
  std::ifstream file;
  if (source != "-") {
    file.open(std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(source.data()), source.size())),
              std::ios::binary);
    if (!file) Refuse("import", "无法打开文件：" + source);
  }
  std::istringstream nothing;
  std::istream& stream = source != "-" ? file : in ? *in : nothing;
  std::string text;
  char buffer[16384];
  while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(stream.gcount()));
    if (text.size() > kMaxNoticeBytes) Refuse("import", "输入太长，不是一份节假日通知：" + source);
  }
  if (stream.bad()) Refuse("import", "无法读取：" + source);
  return text;
}

void WriteDay(std::ostream& out, const calendar::HolidayDay& d, bool json, std::string_view source = {}) {
  const std::string date = IsoDate(Date{d.day});
  if (json) {
    JsonObject object;
    object.addString("date", date).addString("kind", d.holiday.kind).addString("name", d.holiday.name);
    if (!source.empty()) object.addString("source", source);
    out << object.str() << '\n';
  } else if (source.empty()) {
    WriteFields(out, {date, d.holiday.kind, d.holiday.name});
  } else {
    WriteFields(out, {date, d.holiday.kind, d.holiday.name, source});
  }
}

int Import(const CommandLine& line, Context& ctx) {
  if (line.positional.size() != 2) Refuse("import", "give one FILE, or - for the standard input (see tongshu-cli holidays --help)");
  const std::string& source = line.positional[1];
  calendar::HolidayNotice notice;
  try {
    notice = calendar::ParseHolidayNotice(ReadNotice(source, ctx.in));
  } catch (const calendar::HolidayNoticeError& e) {
    Refuse("import", e.what());
  }
  if (!line.flag("dry-run")) {
    const std::string path = UserHolidaysPath();
    if (path.empty()) throw std::runtime_error("找不到存放节假日的文件夹（HOME 和 XDG_DATA_HOME 都没有设置）");
    calendar::Holidays user = LoadUserHolidays(path);
    const bool replacing = user.covers(notice.year);
    user.replaceYear(notice.year, notice.days);
    WriteHolidays(path, user);
    ctx.err << "tongshu-cli: " << notice.year << " 年的 " << notice.days.size() << " 天已存入 " << path
            << (replacing ? "（替换了此前导入的这一年）" : "") << '\n';
  }
  for (const calendar::HolidayDay& d : notice.days) WriteDay(ctx.out, d, line.json);
  return kExitOk;
}

int List(const CommandLine& line, Context& ctx) {
  if (line.flag("dry-run")) Refuse("list", "--dry-run belongs to import (see tongshu-cli holidays --help)");
  if (line.positional.size() > 2) Refuse("list", "give at most one YEAR (see tongshu-cli holidays --help)");
  std::optional<int> year;
  if (line.positional.size() == 2) {
    const std::string& text = line.positional[1];
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.size() > 4 || value < 1)
      Refuse("list", "YEAR is a year from 1 to 9999, not '" + text + "'");
    year = value;
  }
  const calendar::Holidays bundled = LoadHolidays(ctx.dataDir + std::string(kHolidaysFile));
  const std::string userPath = UserHolidaysPath();
  const calendar::Holidays user = LoadUserHolidays(userPath);
  const auto sourceOf = [&](int y) -> std::pair<const calendar::Holidays&, std::string_view> {
    if (user.covers(y)) return {user, "imported"};
    return {bundled, "bundled"};
  };

  if (year) {
    const auto [table, source] = sourceOf(*year);
    if (!table.covers(*year)) {
      ctx.err << "tongshu-cli: 节假日数据不含 " << *year << " 年\n";
      return kExitNoRow;
    }
    for (const calendar::HolidayDay& d : table.daysOf(*year)) WriteDay(ctx.out, d, line.json, source);
    return kExitOk;
  }

  std::set<int> years;
  for (const calendar::Holidays* table : {&bundled, &user})
    for (const calendar::YearSpan& span : table->coveredYears())
      for (int y = span.first; y <= span.last; ++y) years.insert(y);
  for (const int y : years) {
    const auto [table, source] = sourceOf(y);
    int off = 0, work = 0;
    for (const calendar::HolidayDay& d : table.daysOf(y)) ++(d.holiday.kind == "休" ? off : work);
    if (line.json) {
      ctx.out << JsonObject().addInt("year", y).addString("source", source).addInt("off", off).addInt("work", work).str()
              << '\n';
    } else {
      WriteFields(ctx.out, {std::to_string(y), source, std::to_string(off), std::to_string(work)});
    }
  }
  if (!user.empty()) ctx.err << "tongshu-cli: 导入的年份存放在 " << userPath << '\n';
  return kExitOk;
}

}  // namespace

int HolidaysCommand(const CommandLine& line, Context& ctx) {
  const std::string action = line.positional.empty() ? std::string() : line.positional.front();
  if (action == "import") return Import(line, ctx);
  if (action == "list") return List(line, ctx);
  throw InputError("tongshu-cli holidays: give import or list" +
                   (action.empty() ? std::string() : ", not '" + action + "'") + " (see tongshu-cli holidays --help)");
}

}  // namespace tongshu::cli

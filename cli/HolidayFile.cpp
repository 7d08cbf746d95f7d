#include "cli/HolidayFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "cli/Dates.h"
#include "db/DataFile.h"
#include "db/Database.h"
#include "services/UserHome.h"

#ifdef _WIN32
#include <windows.h>

#include "text/WideText.h"
#endif

namespace tongshu::cli {
namespace {

namespace fs = std::filesystem;

std::string YearSpanText(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "–" + std::to_string(last);
}

// Paths are UTF-8 here; std::filesystem takes them as such on every platform.
fs::path FsPath(const std::string& utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
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

std::string UserHolidaysPath() {
#ifdef _WIN32
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !*appData) return {};
  return Utf8FromWide(appData) + "\\tongshu\\holidays.tsv";
#else
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.local/share";
  } else if (const std::string passwordHome = PasswordHome(); !passwordHome.empty()) {
    base = passwordHome + "/.local/share";
  } else {
    return {};
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + (base == "/" ? "" : "/") + "tongshu/holidays.tsv";
#endif
}

calendar::Holidays LoadUserHolidays(const std::string& path) {
  std::error_code ec;
  if (path.empty() || fs::symlink_status(FsPath(path), ec).type() == fs::file_type::not_found) return {};
  return LoadHolidays(path);
}

calendar::Holidays LoadOverlaidHolidays(const std::string& dataDir) {
  const calendar::Holidays bundled = LoadHolidays(dataDir + std::string(kHolidaysFile));
  return calendar::Holidays::Overlay(bundled, LoadUserHolidays(UserHolidaysPath()));
}

void WriteHolidays(const std::string& path, const calendar::Holidays& table) {
  const auto fail = [&](const std::string& reason) {
    return std::runtime_error("无法写入节假日文件：" + path + "（" + reason + "）");
  };
  const fs::path file = FsPath(path);
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) throw fail(ec.message());
  fs::path temporary = file;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const std::string text = table.format();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      throw fail("写入临时文件失败");
    }
  }
#ifdef _WIN32
  if (!MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ec.assign(static_cast<int>(GetLastError()), std::system_category());
  }
#else
  fs::rename(temporary, file, ec);
#endif
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw fail(ec.message());
  }
}

std::string UncoveredNote(const calendar::Holidays& holidays, std::chrono::sys_days first, std::chrono::sys_days last) {
  const auto spans = holidays.uncoveredYears(static_cast<int>(Date{first}.year()), static_cast<int>(Date{last}.year()));
  if (spans.empty()) return {};
  const auto list = [](const std::vector<calendar::YearSpan>& years) {
    std::string text;
    for (const calendar::YearSpan& span : years) {
      if (!text.empty()) text += "、";
      text += YearSpanText(span.first, span.last);
    }
    return text;
  };
  const std::string covered = holidays.empty() ? "不含任何年份" : "只含 " + list(holidays.coveredYears()) + " 年";
  return "tongshu-cli: 节假日数据" + covered + "，" + list(spans) + " 年的休/班不详";
}

}  // namespace tongshu::cli

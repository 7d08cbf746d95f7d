#pragma once
// The daily almanac lookup without its window: the date text the user built
// from three boxes, its check, the statement and the shown result. Standard
// C++ only, so the command-line companion and the fuzzer run the window's code.
#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::db {
struct Record;
}

namespace tongshu::almanac {

// Drops leading and trailing characters of code 32 or below. Bytes of
// multi-byte UTF-8 characters are never below 0x80, so UTF-8 is safe.
std::string_view TrimBlanks(std::string_view text);

// Year, month and day joined with "-" exactly as they stand: "2011-3-5" stays
// "2011-3-5", nothing is padded.
std::string JoinDateText(std::string_view year, std::string_view month, std::string_view day);

// The strict date check: exactly "Y-M-D" with 1 to 4 ASCII digits for the year
// and 1 or 2 for month and day (leading zeros allowed), a real Gregorian date
// of the years 100 to 9999 (the range of a date literal). Anything else, a
// blank, a sign or a second "-" included, gives nothing.
std::optional<std::chrono::year_month_day> ParseDateText(std::string_view dateText);

// "Select top 1 * from huangdao where gn = #" + dateText + "#", only for a text
// that passes ParseDateText; nothing otherwise. The check is what keeps typed
// or pasted text out of the statement.
std::optional<std::string> HuangdaoStatement(std::string_view dateText);

struct HuangdaoEntry {
  std::string_view label;
  std::string_view column;
};

// The nine entries in their shown order.
inline constexpr std::array<HuangdaoEntry, 9> kHuangdaoEntries{{
    {"岁次:", "suici"},
    {"每日胎神占方:", "tszf"},
    {"五行:", "wuhang"},
    {"冲:", "cong"},
    {"彭祖百忌:", "pzbj"},
    {"吉神宜趋:", "jsyq"},
    {"宜:", "yi"},
    {"凶神宜忌:", "xsyq"},
    {"忌:", "ji"},
}};

struct HuangdaoDay {
  std::string overview;            // DateText, two blanks, the trimmed nn
  std::vector<std::string> lines;  // 17: nine entries with one empty line between
};

// The shown result of a row; NULL reads as empty. Throws db::DbError when the
// row lacks one of the columns.
HuangdaoDay FormatHuangdaoDay(std::string_view dateText, const db::Record& row);

}  // namespace tongshu::almanac

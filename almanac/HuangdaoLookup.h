#pragma once
// The daily almanac lookup without its window: the date text the user built
// from three boxes, its checks and messages, the statement, and the shown
// result of a row handed over as plain texts. Standard C++ only and no data
// layer: the window and the command-line companion fetch the row.
#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/DateText.h"
#include "text/AsciiText.h"

namespace tongshu::almanac {

// Values and boxes are trimmed by the program's one rule (AsciiText.h).
using ::tongshu::TrimLow;

// Year, month and day joined with "-" exactly as they stand: "2011-3-5" stays
// "2011-3-5", nothing is padded.
std::string JoinDateText(std::string_view year, std::string_view month, std::string_view day);

// The almanac's strict date check: calendar::ParseYmdText, and a year of 100 to 9999
// (the range of a date literal).
std::optional<std::chrono::year_month_day> ParseDateText(std::string_view dateText);

// "Select top 1 * from huangdao where gn = #" + dateText + "#", only for a text
// that passes ParseDateText; nothing otherwise. The check is what keeps typed
// or pasted text out of the statement.
std::optional<std::string> HuangdaoStatement(std::string_view dateText);

inline constexpr std::string_view kNoYearMessage = "请选择年!";
inline constexpr std::string_view kNoMonthMessage = "请选择月!";
inline constexpr std::string_view kNoDayMessage = "请选择日!";
inline constexpr std::string_view kInvalidDateMessage = "请选择有效的日期!";

// The window's checks of its three boxes, in their order: each trimmed and
// not empty (year, then month, then day), joined as they stand, a valid date.
// Either `message` names the first failure, or the date text and its
// statement are set.
struct HuangdaoRequest {
  std::string_view message;
  std::string dateText;
  std::string statement;
  bool ok() const { return message.empty(); }
};
HuangdaoRequest CheckHuangdaoBoxes(std::string_view year, std::string_view month, std::string_view day);

// The columns of a row of table huangdao that are shown, as read (a NULL
// reads as empty text).
struct HuangdaoRow {
  std::string nn, suici, tszf, wuhang, cong, pzbj, jsyq, yi, xsyq, ji;
};

// The columns in their shown order: nn is the overview line, each other one
// an entry of the result box under its label.
struct HuangdaoColumn {
  std::string_view name;
  std::string HuangdaoRow::*text;
  std::string_view label;  // empty for nn
};
inline constexpr std::array<HuangdaoColumn, 10> kHuangdaoColumns{{
    {"nn", &HuangdaoRow::nn, ""},
    {"suici", &HuangdaoRow::suici, "岁次:"},
    {"tszf", &HuangdaoRow::tszf, "每日胎神占方:"},
    {"wuhang", &HuangdaoRow::wuhang, "五行:"},
    {"cong", &HuangdaoRow::cong, "冲:"},
    {"pzbj", &HuangdaoRow::pzbj, "彭祖百忌:"},
    {"jsyq", &HuangdaoRow::jsyq, "吉神宜趋:"},
    {"yi", &HuangdaoRow::yi, "宜:"},
    {"xsyq", &HuangdaoRow::xsyq, "凶神宜忌:"},
    {"ji", &HuangdaoRow::ji, "忌:"},
}};

// The row from a reader of one column's text by name; whatever the reader
// throws (a missing column) passes through.
HuangdaoRow HuangdaoRowOf(const std::function<std::string(std::string_view column)>& fieldOf);

struct HuangdaoDay {
  std::string overview;            // DateText, two blanks, the trimmed nn
  std::vector<std::string> lines;  // 17: nine entries with one empty line between
};

// The shown result of a row.
HuangdaoDay FormatHuangdaoDay(std::string_view dateText, const HuangdaoRow& row);

// The parts of the overview text `nn`, separated by blanks in the table:
// "农历二月初一 兔年 星期六 玉堂黄道 执日 女土蝠", then the solar term on a
// term day. The lunar date loses its "农历". A part the text lacks is empty.
struct HuangdaoOverview {
  std::string_view lunarDate;  // "二月初一", "闰四月初一"
  std::string_view zodiacYear;  // "兔年"
  std::string_view weekday;     // "星期六"
  std::string_view dayStar;     // the 黄道/黑道 deity: "玉堂黄道"
  std::string_view officer;     // the 建除 officer: "执日"
  std::string_view mansion;     // "女土蝠"
  std::string_view solarTerm;   // "" or "惊蛰"
};
HuangdaoOverview ParseOverview(std::string_view nn);

// The animal a day clashes with, from `cong` ("冲牛(癸丑)煞西" gives "牛");
// empty when the text does not start with 冲 and a character.
std::string_view ClashAnimal(std::string_view cong);

// The items of a 宜 or 忌 list, separated by blanks.
std::vector<std::string_view> ListItems(std::string_view list);
// Whether the list holds the item.
bool ListHolds(std::string_view list, std::string_view item);

}  // namespace tongshu::almanac

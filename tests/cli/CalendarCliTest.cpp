// lunar and month, driven through the executable.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/cli/JsonParse.h"

namespace {

using tongshu::testing::Lines;
using tongshu::testing::ParseJson;
using tongshu::testing::RunCli;
using tongshu::testing::SplitTabs;

constexpr const char* kInvalidDate = "请选择有效的日期!\n";

// Fields of the lunar line, by position.
enum LunarField {
  kDate, kCode, kMonth, kDay, kZodiac, kTerm, kLunarFestival, kHoliday, kStarSign, kPublicHoliday, kFieldCount
};

struct FullLine {
  const char* date;
  const char* line;
  const char* err;
};

// data/holidays.tsv covers 2004-2026; any other year is named once.
constexpr const char* kNo1901 = "tongshu-cli: 节假日数据只含 2004–2026 年，1901 年的休/班不详\n";

TEST(LunarCli, OneDatePrintsAllTenFieldsWithEmptyOnesKept) {
  const FullLine cases[] = {
      {"1901-01-01", "1901-01-01\t1111\t冬月\t十一\t子鼠\t\t\t元旦节\t摩羯座\t", kNo1901},
      // Outside the calendar's range no lunar column is filled, the zodiac year
      // (a lunar year) included.
      {"1900-12-31", "1900-12-31\t0\t\t\t\t\t\t\t摩羯座\t",
       "tongshu-cli: 节假日数据只含 2004–2026 年，1900 年的休/班不详\n"},
      {"2051-01-01", "2051-01-01\t0\t\t\t\t\t\t元旦节\t摩羯座\t",
       "tongshu-cli: 节假日数据只含 2004–2026 年，2051 年的休/班不详\n"},
      {"2050-12-31", "2050-12-31\t1118\t冬月\t十八\t午马\t\t\t\t摩羯座\t",
       "tongshu-cli: 节假日数据只含 2004–2026 年，2050 年的休/班不详\n"},
      {"2012-5-21", "2012-05-21\t-401\t闰四\t初一\t辰龙\t\t\t\t双子座\t", ""},
      {"2011-06-06", "2011-06-06\t505\t五月\t初五\t卯兔\t芒种\t端午节\t\t双子座\t休", ""},
      {"2020-10-01", "2020-10-01\t815\t八月\t十五\t子鼠\t\t中秋节\t国庆节\t天秤座\t休", ""},
      {"2034-01-01", "2034-01-01\t-1111\t闰冬\t十一\t丑牛\t\t\t元旦节\t摩羯座\t",
       "tongshu-cli: 节假日数据只含 2004–2026 年，2034 年的休/班不详\n"},
      {"2024-02-04", "2024-02-04\t1225\t腊月\t廿五\t卯兔\t立春\t\t\t水瓶座\t班", ""},
  };
  for (const FullLine& c : cases) {
    const auto r = RunCli({"lunar", c.date});
    EXPECT_EQ(r.status, 0) << c.date << ": " << r.err;
    EXPECT_EQ(r.out, std::string(c.line) + "\n") << c.date;
    EXPECT_EQ(r.err, c.err) << c.date;
  }
}


struct FieldCase {
  const char* date;
  LunarField field;
  const char* value;
};

// Runs lunar for the case's date and checks its field.
void ExpectField(const FieldCase& c) {
  const auto r = RunCli({"lunar", c.date});
  ASSERT_EQ(r.status, 0) << c.date << ": " << r.err;
  const auto fields = SplitTabs(Lines(r.out).at(0));
  ASSERT_EQ(fields.size(), std::size_t{kFieldCount}) << c.date;
  EXPECT_EQ(fields[c.field], c.value) << c.date << " field " << c.field;
}

TEST(LunarCli, MarksLandInTheirOwnColumns) {
  const FieldCase cases[] = {
      {"2011-02-02", kLunarFestival, "除夕"}, {"2011-02-03", kLunarFestival, "春节"},
      {"2011-01-11", kLunarFestival, "腊八节"}, {"2011-02-17", kLunarFestival, "元宵节"},
      {"2011-08-06", kLunarFestival, "七夕节"}, {"2011-10-05", kLunarFestival, "重阳节"},
      {"2011-05-08", kHoliday, "母亲节"},       {"2011-06-19", kHoliday, "父亲节"},
      {"2011-11-24", kHoliday, "感恩节"},       {"2011-11-08", kHoliday, "记者日"},
      {"2011-11-08", kTerm, "立冬"},            {"2011-01-20", kTerm, "大寒"},
      {"2011-08-22", kStarSign, "狮子座"},      {"2011-08-23", kStarSign, "处女座"},
      {"2012-01-22", kZodiac, "卯兔"},          {"2012-01-23", kZodiac, "辰龙"},
      {"1972-02-14", kZodiac, "亥猪"},          {"1972-02-15", kZodiac, "子鼠"},
      {"2023-03-22", kCode, "-201"},            {"2023-03-22", kMonth, "闰二"},
      {"2000-02-04", kCode, "1229"},            {"2000-02-05", kCode, "101"},
      {"2012-02-29", kDate, "2012-02-29"},      {"0001-01-01", kCode, "0"},
      {"9999-12-31", kDate, "9999-12-31"},      {"2011-3-5", kDate, "2011-03-05"},
      // 休/班 as the published schedules have them.
      {"2024-02-10", kPublicHoliday, "休"},     {"2024-02-17", kPublicHoliday, "休"},
      {"2024-02-18", kPublicHoliday, "班"},     {"2024-02-19", kPublicHoliday, ""},
      {"2025-01-26", kPublicHoliday, "班"},     {"2025-10-08", kPublicHoliday, "休"},
      {"2026-01-04", kPublicHoliday, "班"},     {"2015-09-03", kPublicHoliday, "休"},
      {"2004-01-01", kPublicHoliday, "休"},     {"2011-03-05", kPublicHoliday, ""},
  };
  for (const FieldCase& c : cases) ExpectField(c);
}

// The 休/班 field in JSON, the one note for a range that reaches past the
// data on either side, and a missing or damaged holiday file.
TEST(LunarCli, PublicHolidaysAndTheYearsWithout) {
  const auto json = RunCli({"lunar", "--json", "2024-02-18"});
  EXPECT_EQ(ParseJson(json.out)["publicHoliday"].str(), "班");

  const auto both = RunCli({"lunar", "--from", "2003-12-31", "--to", "2027-01-01"});
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.err, "tongshu-cli: 节假日数据只含 2004–2026 年，2003、2027 年的休/班不详\n");
  const auto before = RunCli({"lunar", "--from", "1990-05-01", "--to", "2005-01-01"});
  EXPECT_EQ(before.err, "tongshu-cli: 节假日数据只含 2004–2026 年，1990–2003 年的休/班不详\n");

  // Without the file the column cannot be filled: the data-file failure.
  const std::string empty = tongshu::testing::MakeTempDir();
  const auto missing = RunCli({"lunar", "--data-dir", empty, "2011-03-05"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "数据文件不存在：" + empty + "holidays.tsv\n");
  struct Bad {
    std::string content;  // empty: a FIFO, which must not block the run
    std::string err;
  };
  const Bad bad[] = {{"date\tkind\n", "节假日数据文件已损坏（第 1 行）："},
                     {"date\tkind\tname\n2024-02-10\t假\t春节\n", "节假日数据文件已损坏（第 2 行）："},
                     {"date\tkind\tname\n2024-02-30\t休\t春节\n", "节假日数据文件已损坏（第 2 行）："},
                     {"", "数据文件不是普通文件："}};
  for (const Bad& b : bad) {
    const std::string dir = tongshu::testing::MakeTempDir();
    const std::string file = dir + "holidays.tsv";
    if (b.content.empty()) {
      ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    } else {
      std::ofstream(file) << b.content;
    }
    const auto r = RunCli({"lunar", "--data-dir", dir, "2024-02-10"});
    EXPECT_EQ(r.status, 3) << b.err;
    EXPECT_EQ(r.err, b.err + file + "\n");
  }
}

TEST(LunarCli, InvalidDatesGetTheWindowsMessage) {
  // Blanks around a date are trimmed (CommandLine.EveryCommandTakesADateAlike).
  const char* cases[] = {"2011-02-30", "2011-2-29",   "1900-02-29", "2011-13-01", "2011-00-10",
                         "2011-01-00", "abc",         "2011/01/01", "2011-01 -01", " ",
                         "+2011-01-01", "2011-1-001", "0-01-01",    "10000-01-01", "",
                         "2011-01",    "2011-01-01-", "-2011-01-01", "2011--01"};
  for (const char* date : cases) {
    const auto r = RunCli({"lunar", date});
    EXPECT_EQ(r.status, 2) << "'" << date << "'";
    EXPECT_EQ(r.err, kInvalidDate) << "'" << date << "'";
    EXPECT_EQ(r.out, "") << "'" << date << "'";
  }
  // Either end of a range is checked the same way.
  EXPECT_EQ(RunCli({"lunar", "--from", "2011-02-29", "--to", "2011-03-01"}).err, kInvalidDate);
  EXPECT_EQ(RunCli({"lunar", "--from", "2011-02-28", "--to", "2011-02-29"}).err, kInvalidDate);
}

TEST(LunarCli, RangeEndsAreInclusiveAndMustBeInOrder) {
  const auto one = RunCli({"lunar", "--from", "2011-02-03", "--to", "2011-02-03"});
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.out, RunCli({"lunar", "2011-02-03"}).out);

  const auto two = RunCli({"lunar", "--from=2011-02-28", "--to=2011-03-01"});
  ASSERT_EQ(Lines(two.out).size(), 2u);
  EXPECT_EQ(SplitTabs(Lines(two.out)[1])[kDate], "2011-03-01");

  const auto reversed = RunCli({"lunar", "--from", "2011-02-04", "--to", "2011-02-03"});
  EXPECT_EQ(reversed.status, 2);
  EXPECT_EQ(reversed.err, "起始日期不能晚于结束日期!\n");
  EXPECT_EQ(reversed.out, "");
}

// Nothing at all means today (CommandLine.VersionHelpCommandAndToday).
TEST(LunarCli, NeedsOneDateOrBothRangeEnds) {
  const std::vector<std::vector<std::string>> cases = {
      {"lunar", "2011-01-01", "2011-01-02"},
      {"lunar", "2011-01-01", "--from", "2011-01-01", "--to", "2011-01-02"},
      {"lunar", "--from", "2011-01-01"},
      {"lunar", "--to", "2011-01-01"},
      {"lunar", "--from"},
  };
  for (const auto& args : cases) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_NE(r.err.find("tongshu-cli lunar"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

std::string IsoDate(std::chrono::sys_days d) {
  const std::chrono::year_month_day ymd{d};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()));
  return buf;
}

// The whole supported range in one run, text and JSON: every day once, in
// order, across the output's block boundaries, and both forms agree.
TEST(LunarCli, WholeRangeTextAndJsonAgreeDayByDay) {
  const auto text = RunCli({"lunar", "--from", "1901-01-01", "--to", "2050-12-31"});
  const auto json = RunCli({"lunar", "--json", "--from", "1901-01-01", "--to", "2050-12-31"});
  ASSERT_EQ(text.status, 0) << text.err;
  ASSERT_EQ(json.status, 0) << json.err;
  const auto textLines = Lines(text.out);
  const auto jsonLines = Lines(json.out);
  ASSERT_EQ(textLines.size(), 54787u);
  ASSERT_EQ(jsonLines.size(), 54787u);
  ASSERT_EQ(text.out.back(), '\n');

  const char* keys[kFieldCount] = {"date", "code", "month", "day", "zodiac", "solarTerm", "lunarFestival",
                                   "holiday", "starSign", "publicHoliday"};
  std::chrono::sys_days day{std::chrono::year{1901} / 1 / 1};
  int newYears = 0, terms = 0, eves = 0, offDays = 0, workDays = 0;
  for (std::size_t i = 0; i < textLines.size(); ++i, day += std::chrono::days{1}) {
    const auto f = SplitTabs(textLines[i]);
    ASSERT_EQ(f.size(), std::size_t{kFieldCount}) << textLines[i];
    ASSERT_EQ(f[kDate], IsoDate(day)) << "line " << i;
    const auto obj = ParseJson(jsonLines[i]);
    ASSERT_EQ(obj.keys(), std::vector<std::string>(keys, keys + kFieldCount));
    ASSERT_EQ(obj["date"].str(), f[kDate]);
    ASSERT_EQ(obj["code"].num(), std::stod(f[kCode])) << f[kDate];
    for (int k = kMonth; k < kFieldCount; ++k) ASSERT_EQ(obj[keys[k]].str(), f[k]) << f[kDate] << " " << keys[k];
    ASSERT_NE(f[kCode], "0") << f[kDate];
    newYears += f[kLunarFestival] == "春节";
    eves += f[kLunarFestival] == "除夕";
    terms += !f[kTerm].empty();
    offDays += f[kPublicHoliday] == "休";
    workDays += f[kPublicHoliday] == "班";
  }
  EXPECT_EQ(newYears, 150);
  EXPECT_EQ(eves, 150);
  EXPECT_EQ(terms, 24 * 150);
  // Every line of data/holidays.tsv (2004-2026, from chinese-days 1.5.7).
  EXPECT_EQ(offDays, 619);
  EXPECT_EQ(workDays, 150);
  EXPECT_EQ(text.err, "tongshu-cli: 节假日数据只含 2004–2026 年，1901–2003、2027–2050 年的休/班不详\n");
}

// --- month ---------------------------------------------------------------

struct Cell {
  int day;  // 0: hidden
  std::string text;
  std::string colour;
};

struct Month {
  std::vector<std::string> header;
  std::vector<Cell> cells;  // cells[i - 1] is cell i
};

Month ParseMonth(const std::string& out) {
  const auto lines = Lines(out);
  Month m;
  if (lines.size() != 38) {
    ADD_FAILURE() << "expected 38 lines, got " << lines.size();
    return m;
  }
  m.header = SplitTabs(lines[0]);
  for (int i = 1; i <= 37; ++i) {
    const auto f = SplitTabs(lines[static_cast<std::size_t>(i)]);
    EXPECT_EQ(f.size(), 4u) << lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(f.at(0), std::to_string(i));
    m.cells.push_back({f.at(1).empty() ? 0 : std::stoi(f.at(1)), f.at(2), f.at(3)});
  }
  return m;
}

TEST(MonthCli, March2011AsTheWindowFillsIt) {
  const auto r = RunCli({"month", "2011-03", "--day", "5"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Month m = ParseMonth(r.out);
  ASSERT_EQ(m.cells.size(), 37u);
  EXPECT_EQ(m.header, (std::vector<std::string>{"2011-03", "5", "7", "卯兔", "双鱼座"}));

  // 1 March is a Tuesday: day 1 in cell 3, day 31 in cell 33, the rest hidden.
  for (int cell = 1; cell <= 37; ++cell) {
    const Cell& c = m.cells[static_cast<std::size_t>(cell - 1)];
    if (cell < 3 || cell > 33) {
      EXPECT_EQ(c.day, 0) << cell;
      EXPECT_EQ(c.text, "") << cell;
      EXPECT_EQ(c.colour, "") << cell;
      continue;
    }
    EXPECT_EQ(c.day, cell - 2);
    switch (c.day) {
      case 5: EXPECT_EQ(c.text, "二月"); EXPECT_EQ(c.colour, "#FF0000"); break;
      case 6: EXPECT_EQ(c.text, "惊蛰"); EXPECT_EQ(c.colour, "#5353FF"); break;
      case 8: EXPECT_EQ(c.text, "妇女节"); EXPECT_EQ(c.colour, "#FF8000"); break;
      case 21: EXPECT_EQ(c.text, "春分"); EXPECT_EQ(c.colour, "#5353FF"); break;
      default:
        EXPECT_EQ(c.colour, "#004000") << c.day;
        // A lunar day name: two characters, starting 初, 十, 廿, 二 or 三.
        EXPECT_EQ(c.text.size(), 6u) << c.day << " " << c.text;
    }
  }
  EXPECT_EQ(m.cells[2].text, "廿七");
}

struct MonthCase {
  std::vector<std::string> args;
  std::vector<std::string> header;
  int day;
  const char* text;
  const char* colour;
};

TEST(MonthCli, MarkedDayFooterAndPrecedence) {
  const MonthCase cases[] = {
      // The default marked day is the first; a day past the month's end marks its last day.
      {{"month", "2011-03"}, {"2011-03", "1", "3", "卯兔", "双鱼座"}, 1, "廿七", "#004000"},
      {{"month", "2011-02", "--day", "31"}, {"2011-02", "28", "30", "卯兔", "双鱼座"}, 2, "除夕", "#FF8000"},
      {{"month", "2011-02", "--day", "3"}, {"2011-02", "3", "5", "卯兔", "水瓶座"}, 3, "春节", "#FF8000"},
      {{"month", "2011-02", "--day", "14"}, {"2011-02", "14", "16", "卯兔", "水瓶座"}, 4, "立春", "#5353FF"},
      {{"month", "2011-08", "--day", "23"}, {"2011-08", "23", "24", "卯兔", "处女座"}, 23, "处暑", "#5353FF"},
      {{"month", "2012-01", "--day", "22"}, {"2012-01", "22", "22", "卯兔", "水瓶座"}, 23, "春节", "#FF8000"},
      {{"month", "2012-01", "--day", "23"}, {"2012-01", "23", "23", "辰龙", "水瓶座"}, 22, "除夕", "#FF8000"},
      {{"month", "2011-05"}, {"2011-05", "1", "1", "卯兔", "金牛座"}, 8, "母亲节", "#FF8000"},
      {{"month", "2011-11"}, {"2011-11", "1", "3", "卯兔", "天蝎座"}, 8, "立冬", "#5353FF"},
      {{"month", "2020-10"}, {"2020-10", "1", "5", "子鼠", "天秤座"}, 1, "中秋节", "#FF8000"},
      {{"month", "2011-06", "--day=6"}, {"2011-06", "6", "9", "卯兔", "双子座"}, 6, "端午节", "#FF8000"},
      // Outside 1901-2050 only the Gregorian marks remain.
      {{"month", "1900-12", "--day", "25"}, {"1900-12", "25", "31", "子鼠", "摩羯座"}, 25, "圣诞节", "#FF8000"},
      {{"month", "1900-12"}, {"1900-12", "1", "7", "子鼠", "射手座"}, 24, "", "#004000"},
  };
  for (const MonthCase& c : cases) {
    const auto r = RunCli(c.args);
    ASSERT_EQ(r.status, 0) << c.args[1] << ": " << r.err;
    const Month m = ParseMonth(r.out);
    ASSERT_EQ(m.cells.size(), 37u);
    EXPECT_EQ(m.header, c.header) << c.args[1];
    const int cell = std::stoi(c.header[2]) - std::stoi(c.header[1]) + c.day;
    const Cell& got = m.cells[static_cast<std::size_t>(cell - 1)];
    EXPECT_EQ(got.day, c.day) << c.args[1];
    EXPECT_EQ(got.text, c.text) << c.args[1] << " day " << c.day;
    EXPECT_EQ(got.colour, c.colour) << c.args[1] << " day " << c.day;
  }
}

TEST(MonthCli, SaturdayFirstWith31DaysFillsCell37) {
  const Month m = ParseMonth(RunCli({"month", "2011-01"}).out);
  ASSERT_EQ(m.cells.size(), 37u);
  EXPECT_EQ(m.cells[5].day, 0);
  EXPECT_EQ(m.cells[6].day, 1);
  EXPECT_EQ(m.cells[36].day, 31);
}

TEST(MonthCli, JsonHoldsTheSameGrid) {
  const auto text = RunCli({"month", "2011-03", "--day", "8"});
  const auto json = RunCli({"month", "2011-03", "--day", "8", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  ASSERT_EQ(Lines(json.out).size(), 1u);
  const auto obj = ParseJson(json.out);
  EXPECT_EQ(obj.keys(), (std::vector<std::string>{"year", "month", "day", "firstCell", "markedCell", "zodiac",
                                                  "starSign", "cells"}));
  EXPECT_EQ(obj["year"].num(), 2011);
  EXPECT_EQ(obj["month"].num(), 3);
  EXPECT_EQ(obj["day"].num(), 8);
  EXPECT_EQ(obj["firstCell"].num(), 3);
  EXPECT_EQ(obj["markedCell"].num(), 10);
  EXPECT_EQ(obj["zodiac"].str(), "卯兔");
  EXPECT_EQ(obj["starSign"].str(), "双鱼座");

  const Month m = ParseMonth(text.out);
  const auto& cells = obj["cells"].array();
  ASSERT_EQ(cells.size(), 37u);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(cells[i]["cell"].num(), static_cast<double>(i + 1));
    EXPECT_EQ(cells[i]["visible"].boolean(), m.cells[i].day != 0) << i + 1;
    EXPECT_EQ(cells[i]["day"].num(), m.cells[i].day) << i + 1;
    EXPECT_EQ(cells[i]["text"].str(), m.cells[i].text) << i + 1;
    if (m.cells[i].day != 0) {
      EXPECT_EQ(cells[i]["colour"].str(), m.cells[i].colour) << i + 1;
    }
  }
}

TEST(MonthCli, BadMonthOrDay) {
  struct Bad {
    std::vector<std::string> args;
    const char* err;
  };
  const Bad cases[] = {
      {{"month", "2011-13"}, kInvalidDate},
      {{"month", "2011-0"}, kInvalidDate},
      {{"month", "2011"}, kInvalidDate},
      {{"month", "2011-03-05"}, kInvalidDate},
      {{"month", "0-03"}, kInvalidDate},
      {{"month", "abcd-01"}, kInvalidDate},
      {{"month", ""}, kInvalidDate},
      {{"month", "2011-03", "--day", "0"}, kInvalidDate},
      {{"month", "2011-03", "--day", "32"}, kInvalidDate},
      {{"month", "2011-03", "--day", "-1"}, kInvalidDate},
      {{"month", "2011-03", "--day", "x"}, "'x' is not a valid integer value\n"},
      {{"month", "2011-03", "--day", ""}, "'' is not a valid integer value\n"},
  };
  for (const Bad& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.args[1] << " " << c.args.size();
    EXPECT_EQ(r.err, c.err) << c.args[1];
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace

// solar: the Gregorian day of a lunar date, in the written forms; a month or
// day the year lacks is bad input naming what it has.
TEST(SolarCli, LunarDatesToTheirDays) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{"2027-8-15"}, 0, "2027-09-15\n", ""},
      {{"2027年八月十五"}, 0, "2027-09-15\n", ""},
      {{"2033-闰11-1"}, 0, "2033-12-22\n", ""},
      {{"2027年腊月二十九"}, 0, "2028-01-25\n", ""},
      {{"2027-8-15", "--json"}, 0,
       "{\"lunarYear\":2027,\"month\":8,\"day\":15,\"leap\":false,\"date\":\"2027-09-15\"}\n", ""},
      {{"2027年腊月三十"}, 2, "", "2027年腊月只有29天，没有三十!\n"},
      {{"2027年闰八月初一"}, 2, "", "2027年没有闰八月!\n"},
      {{"1900-1-1"}, 2, "", "农历年份超出数据的范围（1901 至 2050）!\n"},
      {{"2050-12-1"}, 2, "", "日期超出数据的范围（2050-12-31 以后不详）!\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"solar"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, c.status) << c.args[0];
    EXPECT_EQ(r.out, c.out) << c.args[0];
    EXPECT_EQ(r.err, c.err) << c.args[0];
  }
  EXPECT_EQ(RunCli({"solar", "2027-13-1"}).status, 2);
}


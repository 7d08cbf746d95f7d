// jiri, driven through the executable, against the almanac's source table.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "almanac/JiriSearch.h"
#include "cli/Commands.h"
#include "db/Database.h"
#include "tests/cli/CliRun.h"
#include "tests/cli/JsonParse.h"
#include "tools/jetwrite/Tsv.h"

namespace {

using namespace std::chrono;
using tongshu::testing::Lines;
using tongshu::testing::ParseJson;
using tongshu::testing::RunCli;
using tongshu::testing::Day;
using tongshu::testing::SplitTabs;

std::vector<std::string> Words(const std::string& list) {
  std::vector<std::string> words;
  std::istringstream in(list);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool Holds(const std::vector<std::string>& list, const std::string& word) {
  for (const std::string& w : list)
    if (w == word) return true;
  return false;
}

// The lines jiri should print, worked out from data/huangdao.tsv.gz itself
// (not the Access file the command reads) and the weekday from <chrono>.
std::string Expected(const std::vector<std::string>& words, sys_days first, sys_days last,
                     const std::vector<std::string>& animals, bool weekend) {
  static const jetwrite::Table table = jetwrite::ParseTsv(
      "huangdao", jetwrite::ReadMaybeGzipped(TONGSHU_DATA_SOURCE "/huangdao.tsv.gz"), "huangdao.tsv.gz");
  std::string out;
  for (const jetwrite::Row& r : table.rows) {
    int y = 0;
    unsigned m = 0, d = 0;
    std::sscanf(r[0]->c_str(), "%d-%u-%u", &y, &m, &d);
    const sys_days day{year{y} / month{m} / d};
    if (day < first || day > last) continue;
    const std::vector<std::string> yi = Words(*r[8]), ji = Words(*r[10]), nn = Words(*r[1]);
    std::string matched;
    bool avoided = false;
    for (const std::string& w : words) {
      avoided = avoided || Holds(ji, w);
      if (Holds(yi, w)) matched += (matched.empty() ? "" : " ") + w;
    }
    if (avoided || matched.empty()) continue;
    bool clashes = false;
    for (const std::string& animal : animals)
      clashes = clashes || r[5]->substr(std::string("冲").size(), animal.size()) == animal;
    if (clashes) continue;
    const weekday wd{day};
    if (weekend && wd != Saturday && wd != Sunday) continue;
    out += *r[0] + "\t" + nn.at(2) + "\t" + nn.at(0).substr(std::string("农历").size()) + "\t" + nn.at(3) + "\t" +
           nn.at(4) + "\t" + *r[5] + "\t" + matched + "\n";
  }
  return out;
}


TEST(JiriCli, DaysAsTheSourceTableGivesThem) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> words;
    sys_days first, last;
    std::vector<std::string> animals;
    bool weekend;
  };
  const Case cases[] = {
      {{"嫁娶", "--from", "1901-01-01", "--to", "2050-12-31"}, {"嫁娶"}, Day(1901, 1, 1), Day(2050, 12, 31), {}, false},
      {{"搬家", "--from=2020-01-01", "--to=2029-12-31", "--zodiac", "虎", "--weekend"},
       {"移徙", "入宅"}, Day(2020, 1, 1), Day(2029, 12, 31), {"虎"}, true},
      {{"--zodiac", "寅虎", "装修", "--from", "1950-2-1", "--to", "1950-3-1"},
       {"修造", "动土"}, Day(1950, 2, 1), Day(1950, 3, 1), {"虎"}, false},
      {{"出行", "--from", "2050-12-01", "--to", "2050-12-31", "--weekend"}, {"出行"}, Day(2050, 12, 1),
       Day(2050, 12, 31), {}, true},
      // A couple: a day that clashes with either animal is left out.
      {{"嫁娶", "--from", "2027-01-01", "--to", "2027-12-31", "--zodiac", "虎", "--zodiac", "马"},
       {"嫁娶"}, Day(2027, 1, 1), Day(2027, 12, 31), {"虎", "马"}, false},
      {{"嫁娶", "--from", "2027-01-01", "--to", "2027-12-31", "--zodiac", "寅虎，马"},
       {"嫁娶"}, Day(2027, 1, 1), Day(2027, 12, 31), {"虎", "马"}, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"jiri"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args);
    const std::string expected = Expected(c.words, c.first, c.last, c.animals, c.weekend);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(r.status, 0) << c.args[0] << ": " << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, expected) << c.args[0];
  }
}

TEST(JiriCli, OneDayInTextAndJson) {
  const auto text = RunCli({"jiri", "嫁娶", "--from", "2011-03-05", "--to", "2011-03-05"});
  EXPECT_EQ(text.out, "2011-03-05\t星期六\t二月初一\t玉堂黄道\t执日\t冲牛(癸丑)煞西\t嫁娶\n");
  const auto json = RunCli({"jiri", "--json", "结婚", "--from", "2011-03-05", "--to", "2011-03-05"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto obj = ParseJson(json.out);
  EXPECT_EQ(obj.keys(),
            (std::vector<std::string>{"date", "weekday", "lunarDate", "dayStar", "officer", "clash", "matched"}));
  EXPECT_EQ(obj["lunarDate"].str(), "二月初一");
  EXPECT_EQ(obj["matched"].str(), "嫁娶");
}

TEST(JiriCli, RefusalsAndTheEmptyResult) {
  const std::string empty = tongshu::testing::MakeTempDir();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"结昏", "--from", "2011-01-01", "--to", "2011-12-31"},
       2,
       "不认识的活动“结昏”，相近的有：结婚、结网、出嫁、订婚、提亲（全部见 tongshu-cli jiri --help）\n"},
      {{"嫁娶", "--from", "1900-12-31", "--to", "1901-01-31"}, 2, "日期超出数据的范围（1901-01-01 至 2050-12-31）!\n"},
      {{"嫁娶", "--from", "2050-12-01", "--to", "2051-01-01"}, 2, "日期超出数据的范围（1901-01-01 至 2050-12-31）!\n"},
      {{"嫁娶", "--from", "2011-02-01", "--to", "2011-01-01"}, 2, "起始日期不能晚于结束日期!\n"},
      {{"嫁娶", "--from", "2011-02-30", "--to", "2011-03-01"}, 2, "请选择有效的日期!\n"},
      {{"嫁娶", "--from", "2011-01-01", "--to", "2011-01-31", "--zodiac", "猫"},
       2,
       "不认识的生肖“猫”，可用：鼠 牛 虎 兔 龙 蛇 马 羊 猴 鸡 狗 猪\n"},
      {{"嫁娶", "--to", "2011-01-31"}, 2, "tongshu-cli jiri: give --from DATE and --to DATE (see tongshu-cli jiri --help)\n"},
      {{"--weekend=1", "嫁娶"}, 2, "tongshu-cli jiri: option '--weekend' takes no value (see tongshu-cli jiri --help)\n"},
      // Input is checked before the data file is opened.
      {{"结昏", "--from", "2011-01-01", "--to", "2011-12-31", "--data-dir", empty}, 2, ""},
      {{"嫁娶", "--from", "2011-01-01", "--to", "2011-12-31", "--data-dir", empty},
       3,
       "数据文件不存在：" + empty + "KorBirth.dll\n"},
      // 2011-01-01 is a day without 嫁娶 in its 宜 list.
      {{"嫁娶", "--from", "2011-01-01", "--to", "2011-01-01"}, 1, "2011-01-01 至 2011-01-01 之间没有适合嫁娶的日子\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"jiri"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(r.out, "");
    if (!c.err.empty()) {
      EXPECT_EQ(r.err, c.err) << c.args[0];
    } else {
      EXPECT_EQ(r.err.rfind("不认识的活动", 0), 0u) << r.err;
    }
  }
}

// A source that counts how it is asked and hands out rows out of order, one
// day twice.
struct CountingDatabase final : tongshu::db::Database {
  int firstRows = 0, scans = 0;
  std::optional<tongshu::db::Record> firstRow(const std::string&, const std::string&) override {
    ++firstRows;
    return std::nullopt;
  }
  void forEachRow(const std::string&, const std::string& table, const std::vector<std::string>& columns,
                  const std::function<void(const tongshu::db::Record&)>& visit) override {
    ++scans;
    EXPECT_EQ(table, "huangdao");
    for (const auto& [gn, yi] : {std::pair{"2011-03-06", "嫁娶"}, {"2011-03-05 12:00:00", "嫁娶"},
                                 {"2011-03-06", "祭祀"}, {"2011-03-07", "祭祀"}, {"2011-03-08", "嫁娶"}}) {
      tongshu::db::Record r;
      r.names = columns;
      r.values = {gn, "农历二月初一 兔年 星期六 玉堂黄道 执日 女土蝠", "冲牛(癸丑)煞西", yi, "开市"};
      visit(r);
    }
  }
};

TEST(JiriSearch, OnePassOverTheTableFirstRowOfADayByDate) {
  CountingDatabase database;
  std::ostringstream out, err;
  tongshu::cli::Context ctx{out, err, "/nowhere/", database};
  tongshu::cli::CommandLine line;
  line.positional = {"嫁娶"};
  line.values = {{"from", {"2011-03-05"}}, {"to", {"2011-03-07"}}};
  EXPECT_EQ(tongshu::cli::JiriCommand(line, ctx), 0);
  EXPECT_EQ(database.scans, 1);
  EXPECT_EQ(database.firstRows, 0);
  // 03-06's first row counts, the second is passed over; 03-08 is outside.
  const auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 2u) << out.str();
  EXPECT_EQ(SplitTabs(lines[0])[0], "2011-03-05");
  EXPECT_EQ(SplitTabs(lines[1])[0], "2011-03-06");
}

TEST(JiriCli, HelpShowsEveryEverydayWord) {
  const auto help = RunCli({"jiri", "--help"});
  ASSERT_EQ(help.status, 0);
  for (const tongshu::almanac::EverydayWord& e : tongshu::almanac::kEverydayWords) {
    std::string shown = std::string(e.word) + " → " + std::string(e.activities[0]);
    if (!e.activities[1].empty()) shown += "/" + std::string(e.activities[1]);
    EXPECT_NE(help.out.find(shown), std::string::npos) << shown;
  }
}

}  // namespace

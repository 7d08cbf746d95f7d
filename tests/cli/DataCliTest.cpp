// almanac and mobile, driven through the executable: on the bundled data
// files beside it, and with --data-dir on fixtures written by jetwrite.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/cli/JsonParse.h"
#include "tools/jetwrite/JetWriter.h"

namespace {

using jetwrite::Cell;
using tongshu::testing::Lines;
using tongshu::testing::MakeTempDir;
using tongshu::testing::ParseJson;
using tongshu::testing::RunCli;
using tongshu::testing::SplitTabs;

const char* const kLabels[9] = {"岁次:", "每日胎神占方:", "五行:", "冲:", "彭祖百忌:", "吉神宜趋:", "宜:", "凶神宜忌:", "忌:"};

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

jetwrite::Table HuangdaoTable(std::vector<jetwrite::Row> rows, bool withJi = true) {
  jetwrite::Table t{"huangdao", {{"gn", jetwrite::ColumnType::DateTime, 0}}, std::move(rows)};
  for (const char* c : {"nn", "suici", "tszf", "wuhang", "cong", "pzbj", "jsyq", "yi", "xsyq", "ji"}) {
    if (!withJi && std::string(c) == "ji") continue;
    t.columns.push_back({c, jetwrite::ColumnType::Text, 100});
  }
  return t;
}

jetwrite::Table ShoujiTable(std::vector<jetwrite::Row> rows) {
  return {"shouji",
          {{"num", jetwrite::ColumnType::Text, 10},
           {"title", jetwrite::ColumnType::Text, 100},
           {"jx", jetwrite::ColumnType::Text, 10},
           {"content", jetwrite::ColumnType::Memo, 0}},
          std::move(rows)};
}

// A data directory holding one file.
std::string DirWith(const std::string& file, const std::vector<std::uint8_t>& bytes) {
  const std::string dir = MakeTempDir();
  WriteBytes(dir + file, bytes);
  return dir;
}

// --- almanac -------------------------------------------------------------

TEST(AlmanacCli, BundledTableGivesTheOverviewAndSeventeenLines) {
  const auto r = RunCli({"almanac", "2011-3-5"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0].rfind("2011-3-5  ", 0), 0u) << lines[0];
  EXPECT_GT(lines[0].size(), std::string("2011-3-5  ").size());
  for (int i = 0; i < 17; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i + 1)];
    if (i % 2) {
      EXPECT_EQ(line, "") << i;
    } else {
      EXPECT_EQ(line.rfind(kLabels[i / 2], 0), 0u) << line;
    }
  }
}

TEST(AlmanacCli, TheBundledRangeEndsAreThereAndBeyondThemNothing) {
  for (const char* date : {"1901-1-1", "2050-12-31", "2012-02-29"}) {
    const auto r = RunCli({"almanac", date});
    EXPECT_EQ(r.status, 0) << date << ": " << r.err;
    EXPECT_EQ(Lines(r.out).size(), 18u) << date;
  }
  // A valid date without a row: status 1, nothing on stdout, and stderr
  // says which years the bundled almanac holds.
  for (const char* date : {"1900-12-31", "2051-1-1", "100-1-1", "9999-12-31"}) {
    const auto r = RunCli({"almanac", date});
    EXPECT_EQ(r.status, 1) << date;
    EXPECT_EQ(r.out, "") << date;
    EXPECT_EQ(r.err, "tongshu-cli almanac: 自带的黄历只有 1901–2050 年，没有 " + std::string(date) + " 这一天\n");
  }
}

TEST(AlmanacCli, ValuesTrimmedNullsEmptyFirstOfTwoRowsShown) {
  const Cell null = std::nullopt;
  const std::string dir = DirWith(
      "KorBirth.dll",
      jetwrite::WriteDatabase({HuangdaoTable({
          {"2011-03-05", "  初一 兔年 \t", " 辛卯年 ", null, "", "   ", "\t己\r\n", null, "动土", null, " 开市"},
          {"2011-03-06", "first", "a", "b", "c", "d", "e", "f", "g", "h", "i"},
          {"2011-03-06", "second", "A", "B", "C", "D", "E", "F", "G", "H", "I"},
      })}));
  const auto blanks = RunCli({"almanac", "--data-dir", dir, "2011-3-5"});
  ASSERT_EQ(blanks.status, 0) << blanks.err;
  EXPECT_EQ(blanks.out,
            "2011-3-5  初一 兔年\n岁次:辛卯年\n\n每日胎神占方:\n\n五行:\n\n冲:\n\n彭祖百忌:己\n\n吉神宜趋:\n\n宜:动土\n\n"
            "凶神宜忌:\n\n忌:开市\n");

  const auto doubled = RunCli({"almanac", "2011-03-06", "--data-dir=" + dir.substr(0, dir.size() - 1)});
  ASSERT_EQ(doubled.status, 0) << doubled.err;
  const auto lines = Lines(doubled.out);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0], "2011-03-06  first");
  EXPECT_EQ(lines[1], "岁次:a");
  EXPECT_EQ(lines[17], "忌:i");

  const auto none = RunCli({"almanac", "--data-dir", dir, "2011-3-7"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out + none.err, "");
}

TEST(AlmanacCli, JsonKeepsQuotesTabsAndNewlinesInsideValues) {
  const std::string dir = DirWith(
      "KorBirth.dll", jetwrite::WriteDatabase({HuangdaoTable({
                          {"2011-03-05", "say \"hi\"\tto\\all", "a\nb", "t", "w", "c", "p", "s", "y", "x", "j"},
                      })}));
  const auto r = RunCli({"almanac", "--json", "--data-dir", dir, "2011", "3", "5"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(Lines(r.out).size(), 1u) << r.out;
  const auto obj = ParseJson(r.out);
  EXPECT_EQ(obj.keys(), (std::vector<std::string>{"date", "overview", "lines"}));
  EXPECT_EQ(obj["date"].str(), "2011-3-5");
  EXPECT_EQ(obj["overview"].str(), "2011-3-5  say \"hi\"\tto\\all");
  const auto& lines = obj["lines"].array();
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0].str(), "岁次:a\nb");
  EXPECT_EQ(lines[1].str(), "");
  EXPECT_EQ(lines[16].str(), "忌:j");
}

TEST(AlmanacCli, TheWindowsChecksComeBeforeTheFileIsOpened) {
  struct Bad {
    std::vector<std::string> dates;
    const char* err;
  };
  const Bad cases[] = {
      {{""}, "请选择年!\n"},
      {{" -3-5"}, "请选择年!\n"},
      {{"2011"}, "请选择月!\n"},
      {{"2011- -5"}, "请选择月!\n"},
      {{"2011-3"}, "请选择日!\n"},
      {{"2011-3- "}, "请选择日!\n"},
      {{"", "3", "5"}, "请选择年!\n"},
      {{"2011", "", "5"}, "请选择月!\n"},
      {{"2011", "3", " "}, "请选择日!\n"},
      {{"2011-02-30"}, "请选择有效的日期!\n"},
      {{"2011-3-5-1"}, "请选择有效的日期!\n"},
      {{"99-1-1"}, "请选择有效的日期!\n"},
      {{"2011-+3-5"}, "请选择有效的日期!\n"},
      {{"2011-3-5#"}, "请选择有效的日期!\n"},
      {{"2011-3-5# or 1=1 --"}, "请选择有效的日期!\n"},
      {{"2011", "3", "5'"}, "请选择有效的日期!\n"},
      {{"20110305"}, "请选择月!\n"},
  };
  // The directory has no data file: any status but 2 would mean it was opened.
  const std::string empty = MakeTempDir();
  for (const Bad& c : cases) {
    std::vector<std::string> args{"almanac", "--data-dir", empty};
    args.insert(args.end(), c.dates.begin(), c.dates.end());
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << c.dates[0];
    EXPECT_EQ(r.err, c.err) << c.dates[0];
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(RunCli({"almanac", "2011", "3"}).status, 2);
}

TEST(AlmanacCli, BoxesAreTrimmedAndJoinedAsTheyStand) {
  const auto r = RunCli({"almanac", " 2011 ", "03", " 5"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out).at(0).rfind("2011-03-5  ", 0), 0u) << r.out;
}

TEST(AlmanacCli, MissingOrDamagedFileGivesTheReadersMessageAndStatus3) {
  const std::string empty = MakeTempDir();
  const auto missing = RunCli({"almanac", "--data-dir", empty, "2011-3-5"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_EQ(missing.err, "数据文件不存在：" + empty + "KorBirth.dll\n");
  EXPECT_EQ(missing.out, "");

  struct Damaged {
    std::vector<std::uint8_t> bytes;
    const char* errStart;
  };
  const Damaged cases[] = {
      {std::vector<std::uint8_t>(8192, 0x5A), "不是 Access 数据库文件"},
      {std::vector<std::uint8_t>{}, ""},
      {jetwrite::WriteDatabase({}), "数据表不存在：huangdao"},
      {jetwrite::WriteDatabase({HuangdaoTable({{"2011-03-05", "n", "u", "t", "w", "c", "p", "s", "y", "x"}}, false)}),
       "字段不存在"},
  };
  for (const Damaged& c : cases) {
    const std::string dir = DirWith("KorBirth.dll", c.bytes);
    const auto r = RunCli({"almanac", "--data-dir", dir, "2011-3-5"});
    EXPECT_EQ(r.status, 3) << c.errStart << ": " << r.err;
    EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << r.err;
    EXPECT_GT(r.err.size(), 1u);
    EXPECT_EQ(r.out, "");
  }
}

// --- mobile --------------------------------------------------------------

struct Reduction {
  const char* number;
  const char* reduced;
};

TEST(MobileCli, ReducesTheDigitsFromTheEighthAndReadsTheBundledRow) {
  const Reduction cases[] = {
      {"12345678901", "21"}, {"10000009999", "79"}, {"10000000080", "0"},
      {"10000008000", "0"}, {"12345678", "8"},     {" 12345678901 ", "21"},
  };
  for (const Reduction& c : cases) {
    const auto r = RunCli({"mobile", c.number});
    ASSERT_EQ(r.status, 0) << c.number << ": " << r.err;
    const auto f = SplitTabs(Lines(r.out).at(0));
    ASSERT_EQ(f.size(), 5u) << r.out;
    EXPECT_EQ(f[1], c.reduced) << c.number;
    // The bundled table takes its titles and verdicts from the eighty-one entries.
    const auto entry = SplitTabs(Lines(RunCli({"number", c.reduced}).out).at(0));
    EXPECT_EQ(f[2], entry[0]) << c.number;
    EXPECT_EQ(f[3], entry[1]) << c.number;
    EXPECT_NE(f[4], "") << c.number;
  }
  EXPECT_EQ(SplitTabs(RunCli({"mobile", " 12345678901 "}).out)[0], "12345678901");
  EXPECT_EQ(SplitTabs(RunCli({"mobile", "12345678901"}).out)[2], "秋草逢霜，怀才不遇，忧愁怨苦，事不如意");
}

TEST(MobileCli, FixtureRowTrimmedAndAMissingRowLeavesTheFieldsEmpty) {
  const Cell null = std::nullopt;
  const std::string dir = DirWith("dream.dll", jetwrite::WriteDatabase({ShoujiTable({
                                                   {"21", "  标题 ", null, "\t内容\n"},
                                                   {"21", "second", "x", "y"},
                                               })}));
  const auto row = RunCli({"mobile", "--data-dir", dir, "12345678901"});
  ASSERT_EQ(row.status, 0) << row.err;
  EXPECT_EQ(row.out, "12345678901\t21\t标题\t\t内容\n");

  const auto none = RunCli({"mobile", "--data-dir", dir, "12345678"});
  ASSERT_EQ(none.status, 0) << none.err;
  EXPECT_EQ(none.out, "12345678\t8\t\t\t\n");

  const auto json = RunCli({"mobile", "--json", "--data-dir", dir, "12345678901"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto obj = ParseJson(json.out);
  EXPECT_EQ(obj.keys(), (std::vector<std::string>{"number", "reduced", "title", "jx", "content"}));
  EXPECT_EQ(obj["reduced"].str(), "21");
  EXPECT_EQ(obj["title"].str(), "标题");
  EXPECT_EQ(obj["jx"].str(), "");
  EXPECT_EQ(obj["content"].str(), "内容");
}

TEST(MobileCli, TheWindowsChecksComeBeforeTheFileIsOpened) {
  struct Bad {
    const char* number;
    const char* err;
  };
  const Bad cases[] = {
      {"", "请输入11位手机号码！\n"},
      {"  ", "请输入11位手机号码！\n"},
      {"1234567", "'' is not a valid integer value\n"},
      {"1234567a", "'a' is not a valid integer value\n"},
      {"12345678-1", "'8-1' is not a valid integer value\n"},
      {"1234567+1", "'+1' is not a valid integer value\n"},
      {"1234567８９", "'８９' is not a valid integer value\n"},  // seven bytes, then full-width digits
  };
  const std::string empty = MakeTempDir();
  for (const Bad& c : cases) {
    const auto r = RunCli({"mobile", "--data-dir", empty, c.number});
    EXPECT_EQ(r.status, 2) << c.number;
    EXPECT_EQ(r.err, c.err) << c.number;
    EXPECT_EQ(r.out, "");
  }
}

TEST(MobileCli, MissingOrDamagedFileGivesTheReadersMessageAndStatus3) {
  const std::string empty = MakeTempDir();
  const auto missing = RunCli({"mobile", "--data-dir", empty, "12345678901"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_EQ(missing.err, "数据文件不存在：" + empty + "dream.dll\n");
  EXPECT_EQ(missing.out, "");

  jetwrite::Table noContent = ShoujiTable({});
  noContent.columns.pop_back();
  for (const auto& bytes : {jetwrite::WriteDatabase({}), jetwrite::WriteDatabase({noContent}),
                            std::vector<std::uint8_t>(4096, 0)}) {
    const auto r = RunCli({"mobile", "--data-dir", DirWith("dream.dll", bytes), "12345678901"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err, "");
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace

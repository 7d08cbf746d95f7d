// ics: the content-line writer and the command's refusals.
// tests/cli/check_ics.py reads the output with an iCalendar parser.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "cli/Dates.h"
#include "cli/ICalendar.h"
#include "tests/cli/CliRun.h"

namespace {

using namespace std::chrono;
using namespace tongshu::cli;
using tongshu::testing::RunCli;
using tongshu::testing::Day;

TEST(ICalendarText, FoldsAt75OctetsBetweenCharactersAndEscapes) {
  struct Case {
    std::string line;
    std::string folded;
  };
  const std::string x74(74, 'x'), cjk25 = [] {
    std::string s;
    for (int i = 0; i < 25; ++i) s += "春";
    return s;
  }();
  const Case cases[] = {
      {"A", "A\r\n"},
      {std::string(75, 'a'), std::string(75, 'a') + "\r\n"},
      {std::string(76, 'a'), std::string(75, 'a') + "\r\n a\r\n"},
      {std::string(75 + 74 + 1, 'a'), std::string(75, 'a') + "\r\n " + std::string(74, 'a') + "\r\n a\r\n"},
      // 74 + 3-octet character would make 77: the character moves whole.
      {x74 + "春", x74 + "\r\n 春\r\n"},
      {"S:" + cjk25, "S:" + cjk25.substr(0, 72) + "\r\n " + cjk25.substr(72) + "\r\n"},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendContentLine(out, c.line);
    EXPECT_EQ(out, c.folded) << c.line.size();
  }
  EXPECT_EQ(EscapeText("a,b;c\\d\ne\r\nf\tg\x01h"), "a\\,b\\;c\\\\d\\ne\\nf gh");
}

TEST(IcsCli, Refusals) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{"--from", "2027-01-01", "--to", "2027-12-31", "--with", "terms,moon"},
       "tongshu-cli ics: --with takes terms, festivals, lunar, holidays and almanac, not 'moon' (see tongshu-cli ics "
       "--help)\n"},
      {{"--from", "2027-01-01", "--to", "2027-12-31", "--with", ""},
       "tongshu-cli ics: --with takes terms, festivals, lunar, holidays and almanac, not '' (see tongshu-cli ics "
       "--help)\n"},
      {{"--from", "2027-01-01", "--to", "2027-12-31", "--birthday", "3-5"},
       "tongshu-cli ics: every --birthday needs its --name (see tongshu-cli ics --help)\n"},
      {{"--from", "2027-01-01", "--to", "2027-12-31", "--birthday", "3-31", "--name", "妈妈"},
       "农历生日应写作 月-日、闰月-日 或 三月初五、闰六月三十（如 3-5、闰4-5），不是“3-31”!\n"},
      {{"--from", "2027-01-01", "--to", "2027-12-31", "--birthday", "3-5", "--name", " \t"}, "请输入生日的名字!\n"},
      {{"--from", "2027-01-01", "--to", "2027-12-31", "--birthday", "3-5", "--name", "\xFF"},
       "输入的文字不是有效的 UTF-8 编码!\n"},
      {{"--from", "1900-01-01", "--to", "1901-12-31"}, "日期超出数据的范围（1901-01-01 至 2050-12-31）!\n"},
      {{"--from", "2027-01-01"}, "tongshu-cli ics: give --from DATE and --to DATE (see tongshu-cli ics --help)\n"},
      {{"2027", "--from", "2027-01-01", "--to", "2027-12-31"},
       "tongshu-cli ics: takes no argument, only options (see tongshu-cli ics --help)\n"},
      // iCalendar has no JSON form; the option is refused rather than ignored.
      {{"--from", "2027-01-01", "--to", "2027-12-31", "--json"},
       "tongshu-cli ics: option '--json' is not used here (see tongshu-cli ics --help)\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"ics"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << c.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
  }
  // Terms and festivals need no data file; holidays and almanac do.
  const std::string empty = tongshu::testing::MakeTempDir();
  const auto bare = RunCli({"ics", "--from", "2027-01-01", "--to", "2027-01-31", "--with", "terms", "--data-dir", empty});
  EXPECT_EQ(bare.status, 0) << bare.err;
  const auto almanac =
      RunCli({"ics", "--from", "2027-01-01", "--to", "2027-01-31", "--with", "almanac", "--data-dir", empty});
  EXPECT_EQ(almanac.status, 3);
  EXPECT_EQ(almanac.err, "数据文件不存在：" + empty + "KorBirth.dll\n");
}

}  // namespace

// A lunar birthday as it is spoken means the same as M-D, and the same
// person's same birthday given twice is one event.
TEST(IcsCli, BirthdaysSpokenOrTwiceGiven) {
  const std::vector<std::string> range{"ics", "--from", "2027-01-01", "--to", "2027-12-31", "--with", "terms"};
  const auto feed = [&](const std::vector<std::string>& birthdays) {
    std::vector<std::string> args = range;
    args.insert(args.end(), birthdays.begin(), birthdays.end());
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
  };
  const std::string plain = feed({"--birthday", "3-5", "--name", "妈妈", "--birthday", "闰6-30", "--name", "爸爸"});
  EXPECT_EQ(feed({"--birthday", "三月初五", "--name", "妈妈", "--birthday", "闰六月三十", "--name", "爸爸"}), plain);
  EXPECT_EQ(feed({"--birthday", "3-5", "--name", "妈妈", "--birthday", "三月初五", "--name", "妈妈", "--birthday",
                  "闰6-30", "--name", "爸爸"}),
            plain);
  // Two people born on one day are two events.
  const std::string two = feed({"--birthday", "3-5", "--name", "妈妈", "--birthday", "3-5", "--name", "姨妈"});
  EXPECT_NE(two.find("妈妈"), std::string::npos);
  EXPECT_NE(two.find("姨妈"), std::string::npos);
}


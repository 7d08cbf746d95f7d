// holidays import and list, and the imported years in lunar and ics: each
// run with a data folder of the test's own.
#include <sys/stat.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "tests/cli/CliRun.h"
#include "tests/support/TestFiles.h"
#include "text/Cp936.h"

namespace {

using tongshu::testing::CliInput;
using tongshu::testing::MakeTempDir;
using tongshu::testing::ReadWholeFile;
using tongshu::testing::RunCli;

std::string NoticePath(int year) { return TONGSHU_NOTICES "/" + std::to_string(year) + ".txt"; }

// The lines of data/holidays.tsv for one year.
std::string BundledLines(int year) {
  std::string lines;
  for (const std::string& line : tongshu::testing::Lines(ReadWholeFile(TONGSHU_DATA_SOURCE "/holidays.tsv")))
    if (line.rfind(std::to_string(year) + "-", 0) == 0) lines += line + "\n";
  return lines;
}

// The 休/班 mark of a lunar line.
std::string Mark(const std::string& out) {
  return tongshu::testing::SplitTabs(tongshu::testing::Lines(out).front()).back();
}

std::string Saved(const std::string& text) {
  const std::string path = MakeTempDir() + "notice.txt";
  tongshu::testing::WriteWholeFile(path, text);
  return path;
}

// Made up for the tests in the newer wording: the real notice for 2027 is not
// among the stored texts.
std::string Notice2027(const std::string& springFestival) {
  return "国务院办公厅关于2027年部分节假日安排的通知\n"
         "经国务院批准，现将2027年元旦、春节和国庆节放假调休日期的具体安排通知如下。\n"
         "一、元旦：1月1日（周五）至3日（周日）放假，共3天。\n"
         "二、春节：" + springFestival + "\n"
         "三、国庆节：10月1日（周五）至7日（周四）放假调休，共7天。9月26日（周日）、10月9日（周六）上班。\n"
         "节假日期间，各地区、各部门要妥善安排好值班和安全、保卫等工作。\n";
}

TEST(HolidaysCli, ImportedYearsLieOverTheBundledOnes) {
  const std::string home = MakeTempDir();
  const std::string file = home + "tongshu/holidays.tsv";
  const CliInput input{"/dev/null", home};

  // A dry run prints the days and stores nothing.
  const auto dry = RunCli({"holidays", "import", "--dry-run", NoticePath(2026)}, input);
  EXPECT_EQ(dry.status, 0);
  EXPECT_EQ(dry.out, BundledLines(2026));
  EXPECT_EQ(dry.err, "");
  EXPECT_FALSE(std::filesystem::exists(file));

  // From the standard input: the file holds exactly the days printed.
  const auto first = RunCli({"holidays", "import", "-"},
                            CliInput{Saved(Notice2027("2月5日（农历除夕、周五）至13日（农历正月初八、周六）放假调休，共9天。"
                                                      "2月14日（周日）上班。")),
                                     home});
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(tongshu::testing::Lines(first.out).size(), 22u);
  EXPECT_EQ(first.err, "tongshu-cli: 2027 年的 22 天已存入 " + file + "\n");
  EXPECT_EQ(ReadWholeFile(file), "date\tkind\tname\n" + first.out);

  const auto lunar = RunCli({"lunar", "--from", "2027-02-05", "--to", "2028-01-01"}, input);
  EXPECT_EQ(Mark(lunar.out), "休");
  EXPECT_EQ(lunar.err, "tongshu-cli: 节假日数据只含 2004–2027 年，2028 年的休/班不详\n");
  const auto ics = RunCli({"ics", "--from", "2027-02-14", "--to", "2027-02-14", "--with", "holidays"}, input);
  EXPECT_NE(ics.out.find("SUMMARY:春节 班"), std::string::npos);
  EXPECT_EQ(ics.err, "");
  const auto list = RunCli({"holidays", "list"}, input);
  EXPECT_NE(list.out.find("2026\tbundled\t33\t6\n2027\timported\t19\t3\n"), std::string::npos) << list.out;
  EXPECT_EQ(list.err, "tongshu-cli: 导入的年份存放在 " + file + "\n");

  // Importing the year again replaces it, through a new file.
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  const auto again = RunCli(
      {"holidays", "import", Saved(Notice2027("2月6日至12日放假调休，共7天。2月14日（周日）上班。"))}, input);
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.err, "tongshu-cli: 2027 年的 20 天已存入 " + file + "（替换了此前导入的这一年）\n");
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
  EXPECT_EQ(Mark(RunCli({"lunar", "2027-02-05"}, input).out), "");  // no longer a holiday

  // An imported year of the bundled range wins over the bundled days.
  const auto short2024 = Saved("国务院办公厅关于2024年部分节假日安排的通知\n一、元旦：1月1日放假，与周末连休。\n"
                               "节假日期间，各地区要妥善安排好值班工作。\n");
  ASSERT_EQ(RunCli({"holidays", "import", short2024}, input).status, 0);
  EXPECT_EQ(RunCli({"holidays", "list", "2024"}, input).out, "2024-01-01\t休\t元旦\timported\n");
  EXPECT_EQ(Mark(RunCli({"lunar", "2024-02-10"}, input).out), "");
  EXPECT_EQ(tongshu::testing::Lines(RunCli({"holidays", "list", "--json", "2025"}, input).out).front(),
            "{\"date\":\"2025-01-01\",\"kind\":\"休\",\"name\":\"元旦\",\"source\":\"bundled\"}");
}

TEST(HolidaysCli, RefusalsAndDamagedFiles) {
  const std::string home = MakeTempDir();
  const CliInput input{"/dev/null", home};
  const std::string notice = ReadWholeFile(NoticePath(2025));
  struct Case {
    std::vector<std::string> args;
    std::string stdinText;  // for "-"
    int status;
    std::string err;  // the start of stderr
  };
  const Case cases[] = {
      {{"holidays", "import", "-"}, "各省、自治区：一、元旦：1月1日放假。", 2,
       "tongshu-cli holidays import: 找不到通知的年份"},
      {{"holidays", "import", "-"}, "国务院办公厅关于2025年部分节假日安排的通知", 2,
       "tongshu-cli holidays import: 通知里找不到放假或上班的日子"},
      {{"holidays", "import", "-"}, notice.substr(0, notice.find("9月28日")), 2,
       "tongshu-cli holidays import: 通知在“国庆节、中秋节”一项之后就断了"},
      {{"holidays", "import", "-"}, tongshu::cp936::FromUtf8(notice.substr(0, notice.find("三、清明节"))), 2,
       "tongshu-cli holidays import: 通知在“春节”一项之后就断了"},
      {{"holidays", "import", home + "missing.txt"}, "", 2, "tongshu-cli holidays import: 无法打开文件："},
      {{"holidays", "import"}, "", 2, "tongshu-cli holidays import: give one FILE"},
      {{"holidays", "export"}, "", 2, "tongshu-cli holidays: give import or list, not 'export'"},
      {{"holidays", "list", "20x7"}, "", 2, "tongshu-cli holidays list: YEAR is a year from 1 to 9999"},
      {{"holidays", "list", "--dry-run"}, "", 2, "tongshu-cli holidays list: --dry-run belongs to import"},
      {{"holidays", "list", "2030"}, "", 1, "tongshu-cli: 节假日数据不含 2030 年"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args, CliInput{Saved(c.stdinText), home});
    EXPECT_EQ(r.status, c.status) << c.err;
    EXPECT_EQ(r.out, "") << c.err;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
  }
  EXPECT_FALSE(std::filesystem::exists(home + "tongshu")) << "a refused notice stored something";

  // The notice in GBK is read as in UTF-8.
  const auto gbk = RunCli({"holidays", "import", "--dry-run", "-"},
                          CliInput{Saved(tongshu::cp936::FromUtf8(notice)), home});
  EXPECT_EQ(gbk.status, 0);
  EXPECT_EQ(gbk.out, BundledLines(2025));

  // A damaged file of the user's or the bundled one: status 3, the file named,
  // and the user's file left as it was.
  std::filesystem::create_directories(home + "tongshu");
  const std::string userFile = home + "tongshu/holidays.tsv";
  tongshu::testing::WriteWholeFile(userFile, std::string("date\tkind\tname\n2027-01-01\t休\n"));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"lunar", "2027-01-01"}, {"ics", "--from", "2027-01-01", "--to", "2027-01-01"},
        {"holidays", "list"}, {"holidays", "import", NoticePath(2026)}}) {
    const auto r = RunCli(args, input);
    EXPECT_EQ(r.status, 3) << args[0];
    EXPECT_EQ(r.err, "节假日数据文件已损坏（第 2 行）：" + userFile + "\n") << args[0];
  }
  EXPECT_EQ(ReadWholeFile(userFile), "date\tkind\tname\n2027-01-01\t休\n");
  const std::string dataDir = MakeTempDir();
  tongshu::testing::WriteWholeFile(dataDir + "holidays.tsv", std::string("date\tkind\tname\n2024-13-01\t休\t元旦\n"));
  const auto bundled = RunCli({"holidays", "list", "--data-dir", dataDir}, input);
  EXPECT_EQ(bundled.status, 3);
  EXPECT_EQ(bundled.err, "节假日数据文件已损坏（第 2 行）：" + dataDir + "holidays.tsv\n");
}

}  // namespace

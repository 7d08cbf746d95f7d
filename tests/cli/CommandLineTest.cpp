// What every subcommand shares: help, usage errors, option forms, exit
// statuses, and that no argument crashes the program.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "tests/cli/CliRun.h"

namespace {

using tongshu::testing::RunCli;

const std::vector<std::string> kCommands = {"lunar",  "month",  "almanac", "mobile", "number",
                                            "pinyin", "netname", "jiri",    "ics",    "holidays", "solar"};

// A Unix tool's habits: --version, "help CMD" as "CMD --help", and a command
// without a date meaning the local today.
TEST(CommandLine, VersionHelpCommandAndToday) {
  const auto version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("tongshu-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << version.out;
  for (const std::string& command : kCommands) {
    const auto help = RunCli({"help", command});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_EQ(help.out, RunCli({command, "--help"}).out) << command;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string y = std::to_string(local.tm_year + 1900), m = std::to_string(local.tm_mon + 1),
                    d = std::to_string(local.tm_mday);
  const std::string ym = y + "-" + (local.tm_mon + 1 < 10 ? "0" : "") + m;
  const struct {
    std::vector<std::string> bare, dated;
  } cases[] = {{{"lunar"}, {"lunar", y + "-" + m + "-" + d}},
               {{"almanac"}, {"almanac", y + "-" + m + "-" + d}},
               {{"month"}, {"month", ym, "--day", d}},
               {{"month", "--day", "1"}, {"month", ym, "--day", "1"}}};
  for (const auto& c : cases) {
    const auto bare = RunCli(c.bare), dated = RunCli(c.dated);
    EXPECT_EQ(bare.status, dated.status) << c.bare[0];
    EXPECT_EQ(bare.out, dated.out) << c.bare[0];
    EXPECT_NE(bare.out, "") << c.bare[0];
  }
}

// A date argument is taken alike by every command: blanks and a CR from a
// file edited on Windows around it are trimmed, as the almanac's boxes trim.
TEST(CommandLine, EveryCommandTakesADateAlike) {
  const struct {
    std::vector<std::string> padded, plain;
  } cases[] = {
      {{"lunar", " 2024-1-1 "}, {"lunar", "2024-1-1"}},
      {{"lunar", "--from", "2024-1-1\r", "--to", "\t2024-1-3"}, {"lunar", "--from", "2024-1-1", "--to", "2024-1-3"}},
      {{"almanac", " 2024-1-1\r"}, {"almanac", "2024-1-1"}},
      {{"month", " 2024-02\r"}, {"month", "2024-02"}},
      {{"jiri", "嫁娶", "--from", " 2024-1-1", "--to", "2024-2-1\r"}, {"jiri", "嫁娶", "--from", "2024-1-1", "--to", "2024-2-1"}},
      {{"ics", "--from", "2024-1-1\r", "--to", " 2024-1-31"}, {"ics", "--from", "2024-1-1", "--to", "2024-1-31"}},
  };
  for (const auto& c : cases) {
    const auto padded = RunCli(c.padded), plain = RunCli(c.plain);
    EXPECT_EQ(padded.status, 0) << c.padded[0] << ": " << padded.err;
    if (c.padded[0] == "ics") continue;  // its stamp is the moment of the run
    EXPECT_EQ(padded.out, plain.out) << c.padded[0];
  }
}

TEST(CommandLine, WithoutArgumentsPrintsUsageOnStderr) {
  const auto r = RunCli({});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("Usage: tongshu-cli COMMAND", 0), 0u) << r.err;
}

TEST(CommandLine, HelpGoesToStdoutWithStatusZero) {
  for (const char* flag : {"--help", "-h", "help"}) {
    const auto r = RunCli({flag});
    EXPECT_EQ(r.status, 0) << flag;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("Usage: tongshu-cli COMMAND", 0), 0u) << flag;
    for (const std::string& command : kCommands) EXPECT_NE(r.out.find("  " + command + " "), std::string::npos) << command;
  }
}

TEST(CommandLine, EverySubcommandHasItsOwnHelp) {
  for (const std::string& command : kCommands) {
    for (const char* flag : {"--help", "-h"}) {
      // Help wins over arguments that would otherwise be refused.
      const auto r = RunCli({command, "not-valid", flag});
      EXPECT_EQ(r.status, 0) << command;
      EXPECT_EQ(r.err, "") << command;
      EXPECT_EQ(r.out.rfind("Usage: tongshu-cli " + command + " ", 0), 0u) << r.out;
      // It lists the shared options the command has a use for, and only those.
      const bool json = command != "ics";
      const bool data = command != "month" && command != "solar" && command != "number" && command != "pinyin" &&
                        command != "netname";
      EXPECT_EQ(r.out.find("--json") != std::string::npos, json) << command;
      EXPECT_EQ(r.out.find("--data-dir") != std::string::npos, data) << command;
    }
  }
}

TEST(CommandLine, MalformedCommandLinesNameTheProblem) {
  struct Bad {
    std::vector<std::string> args;
    const char* errPart;
  };
  const Bad cases[] = {
      {{"lunr", "2011-01-01"}, "unknown command 'lunr'"},
      {{"--json"}, "unknown command '--json'"},
      {{"lunar", "--bogus", "2011-01-01"}, "unknown option '--bogus'"},
      {{"number", "--flags", "1", "5"}, "unknown option '--flags'"},
      {{"lunar", "--json=1", "2011-01-01"}, "unknown option '--json'"},
      {{"pinyin", "中", "--max"}, "option '--max' needs a value"},
      {{"month", "2011-03", "--day"}, "option '--day' needs a value"},
      {{"number", "1", "2"}, "expected 1 argument, got 2"},
      {{"netname"}, "expected 1 argument, got 0"},
      {{"mobile", "--data-dir"}, "option '--data-dir' needs a value"},
      // A shared option the command has no use for.
      {{"number", "5", "--data-dir", "."}, "option '--data-dir' is not used here"},
      {{"solar", "2027-8-15", "--data-dir=."}, "option '--data-dir' is not used here"},
      // Given twice, the last value would win unnoticed.
      {{"lunar", "--from", "2011-1-1", "--to", "2011-2-1", "--from", "2011-1-5"}, "option '--from' given twice"},
      {{"mobile", "139", "--data-dir", ".", "--data-dir=/tmp"}, "option '--data-dir' given twice"},
  };
  for (const Bad& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.errPart;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
  }
}

TEST(CommandLine, DoubleDashEndsTheOptions) {
  const auto name = RunCli({"netname", "--", "--json"});
  EXPECT_EQ(name.status, 0) << name.err;
  EXPECT_EQ(name.out, "JSON\t不贪图安逸，能想到别人想不到的东西\n");

  // A leading minus is a number, with or without "--".
  EXPECT_EQ(RunCli({"number", "-81"}).out, RunCli({"number", "--", "-81"}).out);
  EXPECT_EQ(RunCli({"number", "-81"}).out, RunCli({"number", "0"}).out);
}

TEST(CommandLine, OptionsMayComeBeforeOrAfterArguments) {
  const std::string expected = RunCli({"pinyin", "--flags", "1", "中国"}).out;
  EXPECT_EQ(RunCli({"pinyin", "中国", "--flags", "1"}).out, expected);
  EXPECT_EQ(RunCli({"pinyin", "--flags=1", "中国"}).out, expected);
  EXPECT_EQ(expected, "ZHONGGUO\n");
  // A repeated option is refused, not decided by its last value.
  EXPECT_EQ(RunCli({"pinyin", "--flags", "0", "--flags", "1", "中国"}).status, 2);
}

TEST(CommandLine, UnwritableOutputIsAFailureNotSuccess) {
  const auto r = RunCli({"lunar", "--from", "1901-01-01", "--to", "2050-12-31"}, "/dev/full");
  EXPECT_EQ(r.status, 4);
  // The note on the years without holiday data comes first; it goes to stderr.
  EXPECT_EQ(r.err,
            "tongshu-cli: 节假日数据只含 2004–2026 年，1901–2003、2027–2050 年的休/班不详\n"
            "tongshu-cli: cannot write the output\n");
}

// Odd arguments for every subcommand: the program always ends with one of its
// statuses and a refusal always says why. The whole program but its process
// set-up is called directly: 252 runs as processes took 24 s under the
// sanitizers, which check each call here as well.
TEST(CommandLine, NoArgumentCrashesTheProgram) {
  const std::vector<std::string> odd = {
      "",  "-", "--", "\xFF\xFE", "\t", std::string(100000, '9'), std::string(3000, '-'),
      "中", "2011-02-29", "9999-12-31", "0001-01", "-9223372036854775808", "%s%n", "\x1b[31m"};
  const std::string dataDir = std::filesystem::path(TONGSHU_CLI_PATH).parent_path().string();
  for (const std::string& command : kCommands) {
    for (const std::string& arg : odd) {
      for (const std::vector<std::string>& args :
           {std::vector<std::string>{command, arg}, std::vector<std::string>{command, "--json", arg}}) {
        std::ostringstream out, err;
        tongshu::testing::CliResult r;
        r.status = tongshu::cli::Run(args, out, err, dataDir);
        r.out = out.str();
        r.err = err.str();
        // 1 only for an almanac date without a row, which says so on stderr alone.
        EXPECT_TRUE(r.status == 0 || r.status == 2 || (r.status == 1 && command == "almanac"))
            << command << " '" << arg.substr(0, 20) << "': " << r.status;
        if (r.status == 1) {
          EXPECT_EQ(r.out, "");
          EXPECT_NE(r.err, "");
        }
        if (r.status == 2) {
          EXPECT_NE(r.err, "") << command << " '" << arg.substr(0, 20) << "'";
          EXPECT_EQ(r.out, "") << command << " '" << arg.substr(0, 20) << "'";
        }
      }
    }
  }
}

}  // namespace

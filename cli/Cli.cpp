#include "cli/Cli.h"

#include <array>
#include <exception>
#include <new>
#include <sstream>
#include <vector>

#include "cli/Commands.h"
#include "db/Database.h"
#include "db/MdbDatabase.h"
#include "numerology/NumberText.h"
#include "services/Clock.h"

namespace tongshu::cli {
namespace {

struct Command {
  std::string_view name;
  std::span<const std::string_view> valueOptions;
  std::string_view help;
  int (*run)(const CommandLine&, Context&);
  std::span<const std::string_view> flagOptions = {};
  std::string (*moreHelp)() = nullptr;  // help made from a table
  bool json = true;                      // has a JSON form of its output
  bool data = true;                      // reads data files (--data-dir)
};

constexpr std::array<std::string_view, 2> kLunarOptions{"from", "to"};
constexpr std::array<std::string_view, 3> kJiriOptions{"from", "to", "zodiac"};
constexpr std::array<std::string_view, 1> kJiriFlags{"weekend"};
constexpr std::array<std::string_view, 5> kIcsOptions{"from", "to", "with", "birthday", "name"};
constexpr std::array<std::string_view, 1> kMonthOptions{"day"};
constexpr std::array<std::string_view, 2> kPinyinOptions{"flags", "max"};
constexpr std::array<std::string_view, 1> kHolidaysFlags{"dry-run"};

// The options every command shares, as far as it has a use for them.
std::string CommonOptions(bool json, bool data) {
  std::string text = "\nOptions:\n";
  if (json) text += "  --json           one JSON object per line instead of text\n";
  if (data) text += "  --data-dir DIR   directory of the data files (default: the executable's)\n";
  return text + "  -h, --help       this help\n";
}

constexpr std::string_view kLunarHelp =
    "Usage: tongshu-cli lunar [DATE]\n"
    "       tongshu-cli lunar --from DATE --to DATE\n"
    "\n"
    "One line per day, tab-separated, empty fields kept: the date, the lunar\n"
    "date code (month * 100 + day, negative in a leap month, 0 outside\n"
    "1901-2050), the lunar month name, the lunar day name, the zodiac year, the\n"
    "solar term, the lunar festival, the Gregorian festival, the star sign, and\n"
    "the public-holiday mark of mainland China: 休 a statutory holiday, 班 a\n"
    "working day on a weekend (holidays.tsv with the years imported by\n"
    "holidays import over it; years neither covers are named once on stderr).\n"
    "Without a date: today.\n"
    "DATE is Y-M-D (year 1 to 9999, e.g. 2012-05-21 or 2012-5-21).\n";

constexpr std::string_view kJiriHelp =
    "Usage: tongshu-cli jiri ACTIVITY --from DATE --to DATE [--zodiac ANIMAL] [--weekend]\n"
    "\n"
    "The good days for an activity, from table huangdao of KorBirth.dll (read\n"
    "once): a day qualifies when its 宜 list holds the activity and its 忌 list\n"
    "holds none of its words. ACTIVITY is a word of the almanac's lists (嫁娶,\n"
    "移徙, 入宅, 开市, 动土, 出行, 祭祀, ...) or one of the everyday words below.\n"
    "--zodiac ANIMAL (虎 or 寅虎) drops the days that clash (冲) with it; give\n"
    "both of a couple's animals as --zodiac 虎 --zodiac 马 or --zodiac 虎,马;\n"
    "--weekend keeps Saturdays and Sundays only. Dates from 1901-01-01 to\n"
    "2050-12-31. One line per day, by date, tab-separated: the date, the\n"
    "weekday, the lunar date, the day's 黄道/黑道 star, the 建除 officer, the\n"
    "冲煞 text and the matched words. No such day: status 1 and one line on\n"
    "stderr.\n"
    "\n"
    "Everyday words:\n";

constexpr std::string_view kIcsHelp =
    "Usage: tongshu-cli ics --from DATE --to DATE [--with LIST] [--birthday [闰]M-D --name TEXT]...\n"
    "\n"
    "An iCalendar file (RFC 5545) on stdout, one all-day event per item. LIST\n"
    "is comma-separated (default terms,festivals,holidays): terms (the 24 solar\n"
    "terms), festivals (lunar and Gregorian, as the calendar shows them), lunar\n"
    "(the lunar date of every day), holidays (休 and 班 of mainland China from\n"
    "holidays.tsv and the imported years), almanac (the day's 宜 and 忌, from KorBirth.dll). Each\n"
    "--birthday with its --name adds a lunar birthday in every year of the range.\n"
    "A birthday in a leap month falls in the ordinary month of that number in\n"
    "years without the leap month; day 30 falls on the 29th of a 29-day month.\n"
    "Dates from 1901-01-01 to 2050-12-31. UIDs are stable: the same request\n"
    "gives the same bytes, and importing again updates the events.\n";

constexpr std::string_view kMonthHelp =
    "Usage: tongshu-cli month [YYYY-MM] [--day D]\n"
    "\n"
    "The perpetual calendar's month grid. First line: the month, the marked\n"
    "day, its cell, the zodiac text and the star sign of the footer. Then 37\n"
    "lines, one per cell, Sunday first: the cell number, the day of the month,\n"
    "the lunar text and its colour (#RRGGBB); a cell outside the month has\n"
    "only its number. --day (default 1) is the marked day; a day past the end\n"
    "of the month marks the last day, as the window keeps a chosen day.\n"
    "Without YYYY-MM: this month, today marked (unless --day says otherwise).\n";

constexpr std::string_view kSolarHelp =
    "Usage: tongshu-cli solar LUNAR-DATE\n"
    "\n"
    "The Gregorian day (YYYY-MM-DD) of a lunar date of 1901-2050: 2027-8-15,\n"
    "2033-闰11-1 (a leap month), or in Chinese: 2027年八月十五, 闰冬月三十,\n"
    "腊月廿九 (正 or 一 .. 十二, 冬 and 腊; 初一 .. 三十). Without a year: this lunar\n"
    "year. A month the year does not have, or a day its month does not have\n"
    "(腊月三十 in a month of 29 days), is bad input, with the month's days.\n"
    "JSON: lunarYear, month, day, leap, date.\n";

constexpr std::string_view kAlmanacHelp =
    "Usage: tongshu-cli almanac [Y-M-D]\n"
    "       tongshu-cli almanac Y M D\n"
    "\n"
    "The daily almanac from table huangdao of KorBirth.dll, as the almanac\n"
    "window shows it: the overview line (the date as given, two blanks, the\n"
    "day's overview), then 17 lines, the nine entries with an empty line\n"
    "between each two. Year, month and day are checked like the window's three\n"
    "boxes and joined as they stand (2011-3-5 stays 2011-3-5). Exit status 1\n"
    "and one line on stderr when the table has no row for the date (the\n"
    "bundled almanac covers 1901-2050). Without a date: today.\n";

constexpr std::string_view kMobileHelp =
    "Usage: tongshu-cli mobile NUMBER\n"
    "\n"
    "The mobile-number reading from table shouji of dream.dll: the number, its\n"
    "characters from the eighth on reduced modulo 80, and the row's title, jx\n"
    "and content, tab-separated (empty when the table has no row).\n";

constexpr std::string_view kNumberHelp =
    "Usage: tongshu-cli number N\n"
    "\n"
    "The eighty-one number lookup of N (decimal digits, optional sign): the\n"
    "fortune text, the verdict and the personality text, tab-separated. A\n"
    "negative remainder gives two empty fields and the table's message.\n";

constexpr std::string_view kPinyinHelp =
    "Usage: tongshu-cli pinyin [--flags N] [--max N] TEXT\n"
    "\n"
    "The converter's output for the GBK form of TEXT. Flags (default 0) add up:\n"
    "1 whole syllables instead of initials, 2 \"?\" for a character without\n"
    "letters, 4 keep every other single-byte and full-width character. --max\n"
    "(default 2147483647) cuts the result to that many characters. A character\n"
    "GBK cannot encode counts as one without letters.\n";

constexpr std::string_view kNetNameHelp =
    "Usage: tongshu-cli netname NAME\n"
    "\n"
    "The net-name reading: the letters the nickname reduces to (pinyin\n"
    "initials, digits as letters) and the trait chosen by the last of them,\n"
    "tab-separated; the trait is empty when the last letter selects none.\n";

constexpr std::string_view kHolidaysHelp =
    "Usage: tongshu-cli holidays import [--dry-run] FILE|-\n"
    "       tongshu-cli holidays list [YEAR]\n"
    "\n"
    "import reads the State Council's notice of a year's public holidays\n"
    "(国务院办公厅关于YYYY年部分节假日安排的通知, the text as published, UTF-8\n"
    "or GBK; - reads the standard input) and prints one line per day it names,\n"
    "by date, tab-separated: the date, 休 or 班, and the holiday. Then it stores\n"
    "the year in the user's holiday file ($XDG_DATA_HOME/tongshu/holidays.tsv,\n"
    "by default ~/.local/share/tongshu/; %APPDATA%\\tongshu\\ on Windows),\n"
    "replacing that year if it is there; --dry-run stores nothing. A text\n"
    "without a year or a day, or cut short, is refused (status 2). lunar and\n"
    "ics use the bundled holidays.tsv with the imported years over it.\n"
    "\n"
    "list prints each year known: the year, where it comes from (bundled or\n"
    "imported), the number of 休 days and of 班 days; with YEAR, that year's\n"
    "days and where they come from (status 1 when the year is not known).\n";

constexpr std::array<Command, 11> kCommands{{
    {"lunar", kLunarOptions, kLunarHelp, LunarCommand},
    {"jiri", kJiriOptions, kJiriHelp, JiriCommand, kJiriFlags, EverydayWordsHelp},
    {"ics", kIcsOptions, kIcsHelp, IcsCommand, {}, nullptr, false},
    {"holidays", {}, kHolidaysHelp, HolidaysCommand, kHolidaysFlags},
    {"month", kMonthOptions, kMonthHelp, MonthCommand, {}, nullptr, true, false},
    {"solar", {}, kSolarHelp, SolarCommand, {}, nullptr, true, false},
    {"almanac", {}, kAlmanacHelp, AlmanacCommand},
    {"mobile", {}, kMobileHelp, MobileCommand},
    {"number", {}, kNumberHelp, NumberCommand, {}, nullptr, true, false},
    {"pinyin", kPinyinOptions, kPinyinHelp, PinyinCommand, {}, nullptr, true, false},
    {"netname", {}, kNetNameHelp, NetNameCommand, {}, nullptr, true, false},
}};

constexpr std::string_view kUsage =
    "Usage: tongshu-cli COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "The almanac's engines and data lookups, as the windows use them. Input and\n"
    "output are UTF-8.\n"
    "\n"
    "Commands:\n"
    "  lunar [DATE | --from DATE --to DATE] lunar date, marks and 休/班 of each day\n"
    "  jiri ACTIVITY --from DATE --to DATE  good days for an activity (KorBirth.dll)\n"
    "  ics --from DATE --to DATE            an iCalendar file of terms, festivals, ...\n"
    "  holidays import [--dry-run] FILE|-   read a year's holiday notice into the data\n"
    "  holidays list [YEAR]                 the holiday years known, and where from\n"
    "  month [YYYY-MM] [--day D]            the perpetual calendar's month grid\n"
    "  solar LUNAR-DATE                     the Gregorian day of a lunar date\n"
    "  almanac [Y-M-D]                      the day's almanac (KorBirth.dll)\n"
    "  mobile NUMBER                        the mobile-number reading (dream.dll)\n"
    "  number N                             the eighty-one number lookup\n"
    "  pinyin [--flags N] [--max N] TEXT    the pinyin converter\n"
    "  netname NAME                         letters and trait of a nickname\n"
    "\n"
    "Commands take --json (one JSON object per line; not ics), --data-dir DIR\n"
    "(where the data files are, for those that read them) and --help;\n"
    "tongshu-cli help COMMAND prints the same help. lunar, almanac and month\n"
    "without a date mean today. tongshu-cli --version prints the version.\n"
    "\n"
    "Exit status: 0 done; 1 almanac: no row for the date, jiri: no such day,\n"
    "holidays list: the year is not known;\n"
    "2 bad input (the window's message on stderr); 3 a data file missing or\n"
    "damaged; 4 any other failure.\n";

std::string WithSeparator(std::string dir) {
  if (dir.empty()) return "./";
  if (dir.back() != '/') dir.push_back('/');
  return dir;
}

int RunCommand(const Command& command, std::span<const std::string> args, std::istream& in, std::ostream& out,
               std::ostream& err, const std::string& defaultDataDir) {
  const CommandLine line = ParseCommandLine(command.name, args, command.valueOptions, command.flagOptions);
  if (line.help) {
    out << command.help;
    if (command.moreHelp) out << command.moreHelp();
    out << CommonOptions(command.json, command.data);
    return kExitOk;
  }
  // An option the command has no use for is refused, never ignored.
  const auto unused = [&](std::string_view option) {
    return InputError("tongshu-cli " + std::string(command.name) + ": option '--" + std::string(option) +
                      "' is not used here (see tongshu-cli " + std::string(command.name) + " --help)");
  };
  if (line.json && !command.json) throw unused("json");
  if (line.dataDir && !command.data) throw unused("data-dir");
  db::MdbDatabase database;
  Context ctx{out, err, WithSeparator(line.dataDir.value_or(defaultDataDir)), database, &in, SystemClock().today()};
  return command.run(line, ctx);
}

}  // namespace

int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err,
        const std::string& defaultDataDir) {
  std::istringstream nothing;
  return Run(args, nothing, out, err, defaultDataDir);
}

int Run(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err,
        const std::string& defaultDataDir) {
  // Every failure ends here as a message and a status; nothing escapes.
  try {
    if (args.empty()) {
      err << kUsage;
      return kExitBadInput;
    }
    const std::string& name = args.front();
    if (name == "--version") {
      out << "tongshu-cli " << TONGSHU_VERSION << '\n';
      return kExitOk;
    }
    if (name == "help" && args.size() == 2) {
      // "help CMD" is "CMD --help".
      const std::vector<std::string> asked{args[1], "--help"};
      return Run(asked, in, out, err, defaultDataDir);
    }
    if (name == "--help" || name == "-h" || name == "help") {
      out << kUsage;
      return kExitOk;
    }
    for (const Command& command : kCommands) {
      if (command.name == name) return RunCommand(command, args.subspan(1), in, out, err, defaultDataDir);
    }
    err << "tongshu-cli: unknown command '" << name << "' (see tongshu-cli --help)\n";
    return kExitBadInput;
  } catch (const InputError& e) {
    err << e.what() << '\n';
    return kExitBadInput;
  } catch (const numerology::ConvertError& e) {
    err << e.what() << '\n';
    return kExitBadInput;
  } catch (const db::DbError& e) {
    err << e.what() << '\n';
    return kExitDataFile;
  } catch (const std::bad_alloc&) {
    err << "tongshu-cli: out of memory\n";
    return kExitFailure;
  } catch (const std::exception& e) {
    err << "tongshu-cli: " << e.what() << '\n';
    return kExitFailure;
  } catch (...) {
    err << "tongshu-cli: unexpected failure\n";
    return kExitFailure;
  }
}

}  // namespace tongshu::cli

// The engine against an independent calendar: the bundled almanac data was
// computed by another library (data/README.md). Every day of 1901-2050 must
// give the same lunar date, zodiac year and solar term, but for the days
// listed below.
#include <gtest/gtest.h>

#include "tests/calendar/TestDates.h"

#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/CalendarAnnotations.h"
#include "tools/jetwrite/Tsv.h"

namespace tongshu::calendar {
namespace {

using namespace std::chrono;

using testing::D;
using testing::Str;

// One day of the almanac where the engine answers otherwise.
struct Difference {
  std::string date, field, engine, almanac;
  auto operator<=>(const Difference&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Difference& d) {
  return os << d.date << " " << d.field << ": engine \"" << d.engine << "\", almanac \"" << d.almanac << "\"";
}

// Before 1929 China kept Beijing local mean time, UTC+7:45:40, and the
// calendar's solar terms follow it there; the almanac library counts in
// UTC+8 throughout. Three term moments fall into the 14 min 20 s between
// the two midnights, so the almanac has each a day later (moments as the
// library gives them):
//   大雪 1917-12-08 00:00:59 UTC+8 = 1917-12-07 23:46:39 local time
//   白露 1927-09-09 00:05:25 UTC+8 = 1927-09-08 23:51:05 local time
//   夏至 1928-06-22 00:06:23 UTC+8 = 1928-06-21 23:52:03 local time
const std::set<Difference> kBeijingLocalTimeDays = {
    {"1917-12-07", "term", "大雪", ""}, {"1917-12-08", "term", "", "大雪"},
    {"1927-09-08", "term", "白露", ""}, {"1927-09-09", "term", "", "白露"},
    {"1928-06-21", "term", "夏至", ""}, {"1928-06-22", "term", "", "夏至"},
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

// The almanac's overview line starts "农历闰四月初一 龙年 ..." and ends with
// the solar term on a term day (seven parts instead of six).
struct AlmanacDay {
  std::string lunar, zodiacYear, term;
};

AlmanacDay ParseOverview(const std::string& nn) {
  const std::vector<std::string> parts = Split(nn, ' ');
  return {parts.size() > 0 ? parts[0] : "", parts.size() > 1 ? parts[1] : "", parts.size() == 7 ? parts[6] : ""};
}

AlmanacDay EngineDay(const Date& date) {
  const int code = LunarDateOf(date);
  // "闰四" is the engine's leap month; the almanac writes "闰四月".
  const std::string month = LunarMonthNameOfCode(code) + (IsLeapCode(code) ? "月" : "");
  // "辰龙" -> "龙年": the animal is the zodiac text's second character.
  const std::string zodiac = ZodiacOf(date);
  return {"农历" + month + LunarDayNameOfCode(code), zodiac.substr(kEarthlyBranches[0].size()) + "年",
          SolarTermOf(date)};
}

TEST(AlmanacCrossCheck, EveryDayOfTheRangeAgreesWithTheBundledAlmanac) {
  const std::string text = jetwrite::ReadMaybeGzipped(TONGSHU_DATA_SOURCE "/huangdao.tsv.gz");
  std::istringstream lines(text);
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  ASSERT_EQ(line.rfind("gn:DateTime\tnn:", 0), 0u) << line;

  std::set<Difference> differences;
  int days = 0, leapMonths = 0;
  sys_days day{D(kFirstYear, 1, 1)};
  for (; std::getline(lines, line); day += std::chrono::days{1}, ++days) {
    const std::vector<std::string> cells = Split(line, '\t');
    ASSERT_GE(cells.size(), 2u) << line;
    const std::string date = Str(Date{day});
    ASSERT_EQ(cells[0], date) << "the almanac skips or repeats a day";
    const AlmanacDay almanac = ParseOverview(cells[1]);
    const AlmanacDay engine = EngineDay(Date{day});
    for (const auto& [field, mine, theirs] : {std::tuple{"lunar", engine.lunar, almanac.lunar},
                                              std::tuple{"zodiac", engine.zodiacYear, almanac.zodiacYear},
                                              std::tuple{"term", engine.term, almanac.term}})
      if (mine != theirs) differences.insert({date, field, mine, theirs});
    if (almanac.lunar.rfind("农历闰", 0) == 0 && almanac.lunar.ends_with("初一")) ++leapMonths;
  }
  EXPECT_EQ(Str(Date{day}), "2051-01-01");
  EXPECT_EQ(days, 54787);
  // The almanac's own count of leap months over the range, 2033's leap 冬月
  // among them: the number the engine's month walk finds too.
  EXPECT_EQ(leapMonths, 55);

  int unexpected = 0;
  for (const Difference& d : differences)
    if (!kBeijingLocalTimeDays.contains(d) && ++unexpected <= 20) ADD_FAILURE() << d;
  EXPECT_EQ(unexpected, 0);
  for (const Difference& d : kBeijingLocalTimeDays) EXPECT_TRUE(differences.contains(d)) << "no longer differs: " << d;
}

}  // namespace
}  // namespace tongshu::calendar

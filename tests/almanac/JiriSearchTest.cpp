// The auspicious-day search without a data file: words, animals, and which
// rows of a range count and match.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "almanac/JiriSearch.h"

namespace {

using namespace tongshu::almanac;
using std::chrono::sys_days;

sys_days Day(int y, unsigned m, unsigned d) {
  return sys_days{std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}};
}

TEST(JiriSearch, WordsAndAnimals) {
  const auto marry = ResolveActivity(" 结婚 ");
  ASSERT_TRUE(marry);
  EXPECT_EQ(marry->word, "结婚");
  EXPECT_EQ(marry->words, (std::vector<std::string_view>{"嫁娶"}));
  EXPECT_EQ(ResolveActivity("移徙")->words, (std::vector<std::string_view>{"移徙"}));
  EXPECT_FALSE(ResolveActivity("结昏"));
  EXPECT_EQ(NearestWords("结昏", 1), (std::vector<std::string_view>{"结婚"}));
  EXPECT_EQ(ResolveAnimal("寅虎"), "虎");
  EXPECT_EQ(ResolveAnimal("猪"), "猪");
  EXPECT_FALSE(ResolveAnimal("猫"));
  EXPECT_EQ(ZodiacAnimals().front(), "鼠");
  EXPECT_EQ(ZodiacAnimals().back(), "猪");
}

TEST(JiriSearch, ADayMatchesByItsListsClashAndWeekday) {
  const std::string saturday = "农历二月初一 兔年 星期六 玉堂黄道 执日 女土蝠";
  const std::string monday = "农历二月初三 兔年 星期一 玉堂黄道 执日 女土蝠";
  struct Case {
    std::vector<std::string_view> animals;
    bool weekendOnly;
    std::string nn, yi, ji;
    std::optional<std::string> matched;
  };
  const Case cases[] = {
      {{}, false, monday, "祭祀 嫁娶", "开市", "嫁娶"},
      {{}, false, monday, "祭祀", "开市", std::nullopt},      // not in 宜
      {{}, false, monday, "嫁娶", "嫁娶 开市", std::nullopt},  // in 忌 as well
      {{"牛"}, false, monday, "嫁娶", "", std::nullopt},       // the day clashes with 牛
      {{"虎", "牛"}, false, monday, "嫁娶", "", std::nullopt},  // with any of them
      {{"虎"}, false, monday, "嫁娶", "", "嫁娶"},
      {{}, true, monday, "嫁娶", "", std::nullopt},
      {{}, true, saturday, "嫁娶", "", "嫁娶"},
  };
  for (const Case& c : cases) {
    const JiriCriteria criteria{*ResolveActivity("嫁娶"), c.animals, c.weekendOnly};
    EXPECT_EQ(MatchJiriDay(criteria, {c.nn, "冲牛(癸丑)煞西", c.yi, c.ji}), c.matched) << c.nn << " " << c.yi;
  }
}

TEST(JiriSearch, TheSieveTakesEachDayOfTheRangeOnce) {
  AlmanacDaySieve sieve(Day(2011, 3, 5), Day(2011, 3, 7));
  const std::pair<const char*, std::optional<sys_days>> rows[] = {
      {"2011-03-06", Day(2011, 3, 6)},         {"2011-03-05 12:00:00", Day(2011, 3, 5)},
      {"2011-03-06", std::nullopt},            {"2011-03-08", std::nullopt},
      {"2011-03-04", std::nullopt},            {"2011-3-7", Day(2011, 3, 7)},
      {"not a date", std::nullopt},            {"", std::nullopt},
  };
  for (const auto& [gn, day] : rows) EXPECT_EQ(sieve.take(gn), day) << gn;
  const std::vector<std::optional<std::string>> values{"2011-03-05", "nn", std::nullopt, "yi"};
  const AlmanacDayTexts texts = AlmanacDayTextsOf(values);
  EXPECT_EQ(texts.nn, "nn");
  EXPECT_EQ(texts.cong, "");
  EXPECT_EQ(texts.yi, "yi");
  EXPECT_EQ(texts.ji, "");
}

}  // namespace

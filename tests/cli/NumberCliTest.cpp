// number, driven through the executable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/cli/JsonParse.h"

namespace {

using tongshu::testing::Lines;
using tongshu::testing::ParseJson;
using tongshu::testing::RunCli;
using tongshu::testing::SplitTabs;

// The personality texts are long; their type names tell them apart.
constexpr const char* kType1 = "主人性格类型：[做事喜好凭直觉型]";
constexpr const char* kType2 = "主人性格类型：[独断独行/吸引人型]";
constexpr const char* kType6 = "主人性格类型：[不善表达/疑心大型]";
constexpr const char* kType7 = "主人性格类型：[大胆行事冲动派型]";
constexpr const char* kType9 = "主人性格类型：[好奇心旺求知欲强型]";
constexpr const char* kEntry0 = "大展鸿图，信用得固，名利双收，可获成功";

struct Lookup {
  const char* number;
  const char* fortune;
  const char* verdict;
  const char* personalityStart;
};

TEST(NumberCli, ThreeFieldsOfTheEightyOneLookup) {
  const Lookup cases[] = {
      {"0", kEntry0, "吉", kType1},
      {"81", kEntry0, "吉", kType1},
      {"162", kEntry0, "吉", kType1},
      {"999999999999999999", kEntry0, "吉", kType1},
      {"-81", kEntry0, "吉", kType1},
      {"1", "根基不固，摇摇欲坠，一盛一衰，劳而无获", "凶", kType2},
      {"80", "最极之数，还本归元，能得繁荣，发达成功", "吉", kType1},
      {"000123", "雨夜之花，外祥内苦，忍耐自重，转凶为吉", "吉带凶", kType7},
      {"123", "雨夜之花，外祥内苦，忍耐自重，转凶为吉", "吉带凶", kType7},
      {"12345", "灾难不绝，难望成功，此数大凶，不如更名", "凶", kType6},
      {"+12345", "灾难不绝，难望成功，此数大凶，不如更名", "凶", kType6},
      {" 12345\t", "灾难不绝，难望成功，此数大凶，不如更名", "凶", kType6},
      {"9223372036854775807", "波澜起伏，千变万化，凌架万难，必可成功", "凶", kType9},
  };
  for (const Lookup& c : cases) {
    const auto r = RunCli({"number", c.number});
    ASSERT_EQ(r.status, 0) << c.number << ": " << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u) << c.number;
    const auto f = SplitTabs(lines[0]);
    ASSERT_EQ(f.size(), 3u) << c.number;
    EXPECT_EQ(f[0], c.fortune) << c.number;
    EXPECT_EQ(f[1], c.verdict) << c.number;
    EXPECT_EQ(f[2].rfind(c.personalityStart, 0), 0u) << c.number << ": " << f[2];
  }
}

TEST(NumberCli, NegativeRemainderGivesTheMessageAsThirdField) {
  for (const char* n : {"-5", "-80", "-9223372036854775808"}) {
    const auto r = RunCli({"number", n});
    EXPECT_EQ(r.status, 0) << n;
    EXPECT_EQ(r.out, "\t\t对不起,此号不在分解之类。\n") << n;
  }
}

TEST(NumberCli, JsonCarriesTheTrimmedNumberAndTheFields) {
  const auto r = RunCli({"number", "--json", " 000123 "});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(Lines(r.out).size(), 1u);
  const auto obj = ParseJson(r.out);
  EXPECT_EQ(obj.keys(), (std::vector<std::string>{"number", "fortune", "verdict", "personality"}));
  EXPECT_EQ(obj["number"].str(), "000123");
  EXPECT_EQ(obj["fortune"].str(), "雨夜之花，外祥内苦，忍耐自重，转凶为吉");
  EXPECT_EQ(obj["verdict"].str(), "吉带凶");
  EXPECT_EQ(obj["personality"].str(), SplitTabs(Lines(RunCli({"number", "123"}).out).at(0)).at(2));
}

TEST(NumberCli, BlankOrNonIntegerInput) {
  struct Bad {
    const char* number;
    const char* err;
  };
  const Bad cases[] = {
      {"", "请输入你的号码！\n"},
      {"   ", "请输入你的号码！\n"},
      {"12a", "'12a' is not a valid integer value\n"},
      {" 12a ", "'12a' is not a valid integer value\n"},
      {"1 2", "'1 2' is not a valid integer value\n"},
      {"0x10", "'0x10' is not a valid integer value\n"},
      {"-", "'-' is not a valid integer value\n"},
      {"9223372036854775808", "'9223372036854775808' is not a valid integer value\n"},
      {"一二三", "'一二三' is not a valid integer value\n"},
  };
  for (const Bad& c : cases) {
    const auto r = RunCli({"number", c.number});
    EXPECT_EQ(r.status, 2) << "'" << c.number << "'";
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace

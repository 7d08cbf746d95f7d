#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "numerology/NumberText.h"
#include "numerology/Shuli.h"

namespace tongshu::numerology {
namespace {

constexpr std::string_view kFullWidthComma = "，";

std::vector<std::string_view> SplitOn(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + separator.size());
  }
}

// Counts code points of a UTF-8 text (every byte that does not continue one).
std::size_t CodePoints(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// ---- The table as transcribed ----

// The verdict column of the table the entries were transcribed from, listed
// again here by entry number (not read back from kShuliTable), and its
// counts: 35 吉, 30 凶, 13 吉带凶, 3 凶带吉.
TEST(ShuliTable, VerdictCounts) {
  const std::map<std::string_view, std::vector<int>> byVerdict{
      {"吉带凶", {39, 41, 42, 49, 50, 52, 54, 60, 70, 74, 76, 77, 79}},
      {"凶带吉", {26, 37, 57}},
      {"凶", {1, 3, 8, 9, 11, 13, 18, 19, 21, 25, 27, 29, 33, 35, 43, 45, 48, 53, 55, 58, 59, 61, 63, 65, 68, 69, 71,
              73, 75, 78}}};
  std::map<std::string_view, int> counts;
  for (int i = 0; i < 81; ++i) {
    std::string_view expected = "吉";
    for (const auto& [verdict, entries] : byVerdict)
      if (std::find(entries.begin(), entries.end(), i) != entries.end()) expected = verdict;
    EXPECT_EQ(kShuliTable[i].verdict, expected) << i;
    ++counts[kShuliTable[i].verdict];
  }
  const std::map<std::string_view, int> expected{{"吉", 35}, {"凶", 30}, {"吉带凶", 13}, {"凶带吉", 3}};
  EXPECT_EQ(counts, expected);
}

TEST(ShuliTable, EveryEntryTextHoldsExactlyTwoSeparators) {
  for (int i = 0; i < 81; ++i) {
    const std::string text = EntryText(i);
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 2) << "entry " << i;
  }
}

TEST(ShuliTable, FortuneTextsAreFourPhrasesOfFourCharacters) {
  for (int i = 0; i < 81; ++i) {
    const auto phrases = SplitOn(kShuliTable[static_cast<std::size_t>(i)].fortune, kFullWidthComma);
    ASSERT_EQ(phrases.size(), 4u) << "entry " << i;
    std::vector<std::size_t> lengths;
    for (const auto p : phrases) lengths.push_back(CodePoints(p));
    const int fiveCharacterPhrases = static_cast<int>(std::count(lengths.begin(), lengths.end(), 5u));
    const int fourCharacterPhrases = static_cast<int>(std::count(lengths.begin(), lengths.end(), 4u));
    const bool oneLongPhrase = i == 51 || i == 67;
    EXPECT_EQ(fiveCharacterPhrases, oneLongPhrase ? 1 : 0) << "entry " << i;
    EXPECT_EQ(fourCharacterPhrases, oneLongPhrase ? 3 : 4) << "entry " << i;
  }
}

TEST(ShuliTable, PersonalityTextsShareTheirFrame) {
  std::set<std::string_view> distinct;
  for (const std::string_view text : kPersonalityTexts) {
    constexpr std::string_view kHead = "主人性格类型：[";
    constexpr std::string_view kMiddle = "]，其具体表现为：";
    EXPECT_TRUE(text.starts_with(kHead)) << text;
    const auto middle = text.find(kMiddle);
    ASSERT_NE(middle, std::string_view::npos) << text;
    EXPECT_GT(middle, kHead.size()) << "type name missing: " << text;
    EXPECT_GT(text.size(), middle + kMiddle.size()) << "description missing: " << text;
    EXPECT_EQ(text.find('|'), std::string_view::npos);
    EXPECT_TRUE(text.ends_with("。")) << text;
    distinct.insert(text);
  }
  EXPECT_EQ(distinct.size(), 9u);
}

TEST(ShuliTable, EntryTextOutsideTheTableIsRefused) {
  EXPECT_THROW(EntryText(-1), std::out_of_range);
  EXPECT_THROW(EntryText(81), std::out_of_range);
}

// ---- Lookup ----

struct LookupCase {
  std::string_view number;
  int entry;
};

class ShuliLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ShuliLookup, ReturnsTheEntryOfTheRemainder) {
  EXPECT_EQ(shuliinfostr(GetParam().number), EntryText(GetParam().entry));
}

INSTANTIATE_TEST_SUITE_P(Examples, ShuliLookup,
                         ::testing::Values(LookupCase{"0", 0}, LookupCase{"1", 1}, LookupCase{"80", 80},
                                           LookupCase{"81", 0}, LookupCase{"82", 1}, LookupCase{"162", 0},
                                           LookupCase{"999999999999999999", 0}, LookupCase{"000123", 42},
                                           LookupCase{"123", 42}, LookupCase{"12345", 33},
                                           LookupCase{"0012345", 33}, LookupCase{"-81", 0}, LookupCase{"-0", 0},
                                           LookupCase{"+80", 80}, LookupCase{"9223372036854775807", 25}));

class ShuliNegativeRemainder : public ::testing::TestWithParam<std::string_view> {};

TEST_P(ShuliNegativeRemainder, GivesTheMessage) {
  EXPECT_EQ(shuliinfostr(GetParam()), kNotAnalysableMessage);
}

INSTANTIATE_TEST_SUITE_P(Examples, ShuliNegativeRemainder,
                         ::testing::Values("-5", "-1", "-80", "-82", "-999999999999999998", "-9223372036854775808"));

TEST(ShuliLookup, EntriesNamedInTheTableComeOutWhole) {
  struct Expected {
    std::string_view number, fortune, verdict;
    int personality;
  };
  const Expected cases[] = {
      {"0", "大展鸿图，信用得固，名利双收，可获成功", "吉", 1},
      {"1", "根基不固，摇摇欲坠，一盛一衰，劳而无获", "凶", 2},
      {"80", "最极之数，还本归元，能得繁荣，发达成功", "吉", 1},
      {"000123", "雨夜之花，外祥内苦，忍耐自重，转凶为吉", "吉带凶", 7},
      {"12345", "灾难不绝，难望成功，此数大凶，不如更名", "凶", 6},
  };
  for (const auto& c : cases) {
    const std::string expected = std::string(c.fortune) + "|" + std::string(c.verdict) + "|" +
                                 std::string(kPersonalityTexts[static_cast<std::size_t>(c.personality - 1)]);
    EXPECT_EQ(shuliinfostr(c.number), expected) << c.number;
  }
}

TEST(ShuliLookup, TextsThatAreNoIntegerFailWithTheConversionError) {
  for (const std::string_view bad : {"", "12a", "-", "1 2", "9223372036854775808"}) {
    try {
      shuliinfostr(bad);
      ADD_FAILURE() << "no error for '" << bad << "'";
    } catch (const ConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

// ---- Splitting ----

TEST(SplitEntryText, EntryZeroSplitsIntoItsThreeFields) {
  const ShuliFields f = SplitEntryText(shuliinfostr("0"));
  EXPECT_EQ(f.fortune, "大展鸿图，信用得固，名利双收，可获成功");
  EXPECT_EQ(f.verdict, "吉");
  EXPECT_EQ(f.personality, kPersonalityTexts[0]);
}

TEST(SplitEntryText, Contract) {
  struct Case {
    std::string_view text, fortune, verdict, personality;
  };
  const Case cases[] = {
      {kNotAnalysableMessage, "", "", kNotAnalysableMessage},
      {"", "", "", ""},
      {"a|b|c", "a", "b", "c"},
      {" a | b | c ", " a ", " b ", " c "},  // nothing is trimmed
      {"||", "", "", ""},
      {"a|b", "a", "", "b"},
      {"a|b|c|d", "a", "b", "c|d"},
  };
  for (const auto& c : cases) {
    const ShuliFields f = SplitEntryText(c.text);
    EXPECT_EQ(f.fortune, c.fortune) << c.text;
    EXPECT_EQ(f.verdict, c.verdict) << c.text;
    EXPECT_EQ(f.personality, c.personality) << c.text;
  }
}

}  // namespace
}  // namespace tongshu::numerology

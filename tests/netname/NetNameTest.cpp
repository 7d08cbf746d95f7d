#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

#include "netname/NetName.h"
#include "tests/netname/GbkText.h"

using namespace tongshu::netname;
using tongshu::netname::testing::Gbk;

namespace {

struct NameCase {
  const char* what;
  std::string gbkName;
  char traitLetter;  // 0: no trait
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.what; }

class Personality : public ::testing::TestWithParam<NameCase> {};

TEST_P(Personality, LastLetterChoosesTheTrait) {
  const NameCase& c = GetParam();
  const std::string expected = c.traitLetter ? TraitOfLetter(std::string(1, c.traitLetter)) : std::string();
  if (c.traitLetter) {
    ASSERT_FALSE(expected.empty());
  }
  EXPECT_EQ(NetNamePersonality(c.gbkName), expected);
}

INSTANTIATE_TEST_SUITE_P(Names, Personality, ::testing::Values(
    NameCase{"小明 reduces to XM", Gbk("小明"), 'm'},
    NameCase{"王芳 reduces to WF", Gbk("王芳"), 'f'},
    NameCase{"ABC", "ABC", 'c'},
    NameCase{"lower-case abc", "abc", 'c'},
    NameCase{"ABC! drops the mark", "ABC!", 'c'},
    NameCase{"ABC3 becomes ABCC", "ABC3", 'c'},
    NameCase{"2010 becomes BJAJ", "2010", 'j'},
    NameCase{"digit 7 is G", "A7", 'g'},
    NameCase{"ends in 给", Gbk("小明给"), 0},
    NameCase{"ends in a star", Gbk("小明★"), 0},
    NameCase{"ends in a kana", Gbk("小明あ"), 0},
    NameCase{"ends in the pair GBK cannot hold", Gbk("小明") + "\xFF\xFF", 0},
    NameCase{"only punctuation", "!@#$%^&*()-+", 0},
    NameCase{"only full-width punctuation", Gbk("！，。"), 0},
    NameCase{"full-width a", Gbk("小明ａ"), 'a'},
    NameCase{"Greek phi ends in PH", Gbk("小明Φ"), 'h'},
    NameCase{"numeral 12 becomes AB", Gbk("小明⑿"), 'b'},
    NameCase{"Roman 3 becomes C", Gbk("Ⅲ"), 'c'},
    NameCase{"an earlier ? does not matter", Gbk("给") + "A", 'a'},
    NameCase{"trailing blanks and marks do not count", Gbk("王芳") + "  ~", 'f'},
    NameCase{"a zero byte ends the name", std::string("A\0", 2) + Gbk("给"), 'a'},
    NameCase{"a lone lead byte at the end is dropped", "AB\xD6", 'b'},
    NameCase{"empty", "", 0}));

TEST(NetNameText, TrimmedThenEndingAtTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {
      {" \t" + Gbk("小明") + " ", Gbk("小明")},
      {std::string("\0\0AB \0C\0", 8), "AB "},
      {std::string(" \0 ", 3), ""},
  };
  for (const auto& [box, name] : cases) EXPECT_EQ(NetNameText(box), name) << name;
}

TEST(NetNamePersonality, OnlyTheFirst255LettersCount) {
  EXPECT_EQ(NetNamePersonality(std::string(255, 'A') + "B"), TraitOfLetter("a"));
  EXPECT_EQ(NetNamePersonality(std::string(254, 'A') + "B"), TraitOfLetter("b"));
}

TEST(NetNameLetters, TheLettersTheTraitIsChosenFrom) {
  const std::pair<std::string, std::string> cases[] = {
      {Gbk("小明"), "XM"},        {Gbk("王芳给"), "WF?"},  {"abc!", "ABC"},     {"2010", "BJAJ"},
      {Gbk("小明⑿"), "XMAB"},    {Gbk("小明Φ"), "XMPH"}, {Gbk("！，。"), "?"}, {"", ""},
      {std::string("A\0", 2) + Gbk("给"), "A"},
  };
  for (const auto& [name, letters] : cases) EXPECT_EQ(NetNameLetters(name), letters) << letters;
  EXPECT_EQ(NetNameLetters(std::string(300, '7')), std::string(kNetNameMaxLetters, 'G'));
}

TEST(NetNamePersonality, NamedTraitTexts) {
  EXPECT_EQ(NetNamePersonality(Gbk("王芳")), "有抱负，志气高");
  EXPECT_EQ(NetNamePersonality("2010"), "煽情高手");
  EXPECT_EQ(TraitOfLetter("g"), "大丈夫主义者");
  EXPECT_EQ(TraitOfLetter("m"), "反复无常，喜欢模仿神秘人物举动的小孩子性格，但是常常被宠爱");
  EXPECT_EQ(TraitOfLetter("y"), "乐天派呀！非同一般的乐天");
  EXPECT_EQ(TraitOfLetter("z"), "老实，想问题容易兜圈子");
}

TEST(TraitOfLetter, EveryLowerCaseLetterHasItsOwnTrait) {
  std::set<std::string> texts;
  for (char c = 'a'; c <= 'z'; ++c) {
    const std::string t = TraitOfLetter(std::string(1, c));
    EXPECT_FALSE(t.empty()) << c;
    texts.insert(t);
  }
  EXPECT_EQ(texts.size(), 26u);
}

TEST(TraitOfLetter, OtherKeysHaveNone) {
  for (const char* key : {"", "?", "A", "Z", "ab", "`", "{", "1", " a"})
    EXPECT_EQ(TraitOfLetter(key), "") << '"' << key << '"';
}

TEST(DigitsToLetters, ReplacesEveryDigitAndNothingElse) {
  EXPECT_EQ(DigitsToLetters("1234567890"), "ABCDEFGHIJ");
  EXPECT_EQ(DigitsToLetters("a1?0\xD6\xD0z9"), "aA?J\xD6\xD0zI");
  EXPECT_EQ(DigitsToLetters(""), "");
}

TEST(CharOfCode, OneCharacterForCodes1To159) {
  const std::pair<int, std::string> cases[] = {
      {INT_MIN, ""}, {-1, ""}, {0, ""}, {1, "\x01"}, {65, "A"}, {159, "\x9F"}, {160, ""}, {255, ""}, {INT_MAX, ""},
  };
  for (const auto& [code, expected] : cases) EXPECT_EQ(CharOfCode(code), expected) << code;
}

TEST(KeepPlainChars, LowCodesBecomeLettersHighCodesVanish) {
  EXPECT_EQ(KeepPlainChars(std::string("\0\x01\x09\x0A" "A?\x9F\xA0\xFF", 9)), "AI\nA?\x9F");
}

}  // namespace

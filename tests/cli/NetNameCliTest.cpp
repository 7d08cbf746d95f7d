// pinyin and netname, driven through the executable.
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

constexpr const char* kInvalidUtf8 = "输入的文字不是有效的 UTF-8 编码!\n";

struct PinyinCase {
  std::vector<std::string> options;
  const char* text;
  const char* expected;
};

TEST(PinyinCli, ConverterOutputForTheGbkForm) {
  const PinyinCase cases[] = {
      {{}, "中国", "ZG"},
      {{"--flags", "1"}, "中国", "ZHONGGUO"},
      {{"--flags", "1"}, "行长重乐", "HANGZHANGZHONGLE"},
      {{}, "abc-12", "ABC12"},
      {{"--flags", "4"}, "abc-12", "ABC-12"},
      {{"--flags", "2"}, "给", "?"},
      {{}, "给", ""},
      {{"--flags", "2"}, "★", "?"},
      {{"--flags", "2"}, "ā", "?"},
      {{}, "⑿Ⅻ㈤", "12125"},
      {{"--flags", "2"}, "ⅰ⒛⑴①", "12011"},
      {{}, "Ａ１", "A1"},
      {{}, "ａ", "a"},
      {{}, "！", ""},
      {{"--flags", "4"}, "！", "!"},
      {{}, "Φφ", "PHPH"},
      {{"--flags", "1"}, "Ω", "O"},
      {{"--flags", "1", "--max", "3"}, "中国人民", "ZHO"},
      {{"--max", "0"}, "中国", ""},
      {{"--max", "-1"}, "中国", ""},
      {{"--flags", "-1"}, "中国", ""},
      {{"--flags", "8"}, "中国", "ZG"},
      {{"--flags=3", "--max=7"}, "中国给", "ZHONGGU"},
      {{}, "", ""},
      // A character code page 936 cannot encode is a "?" for each UTF-16 unit,
      // as in the windows: punctuation, kept only with flag 4.
      {{"--flags", "2"}, "😀", ""},
      {{"--flags", "4"}, "😀ก", "???"},
      // The euro sign is code page 936's single byte 0x80: no letter, no mark.
      {{"--flags", "2"}, "€", ""},
      {{"--flags", "4"}, "€a", "€A"},
      {{"--flags", "2"}, "中𠀀国", "ZG"},
      {{}, "😀", ""},
  };
  for (const PinyinCase& c : cases) {
    std::vector<std::string> args{"pinyin"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(c.text);
    const auto r = RunCli(args);
    ASSERT_EQ(r.status, 0) << c.text << ": " << r.err;
    EXPECT_EQ(r.out, std::string(c.expected) + "\n") << c.text;
  }
}

// With flag 4 every single-byte character passes, so quotes, backslashes and
// control characters reach the JSON writer through the real path.
TEST(PinyinCli, JsonEscapesWhatTheConverterPassesThrough) {
  const std::string text = "a\"b\\c\td\x01" "e/中\x7f";
  const auto r = RunCli({"pinyin", "--json", "--flags", "4", text});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(Lines(r.out).size(), 1u) << r.out;
  const auto obj = ParseJson(r.out);
  EXPECT_EQ(obj.keys(), (std::vector<std::string>{"text", "pinyin"}));
  EXPECT_EQ(obj["text"].str(), text);
  EXPECT_EQ(obj["pinyin"].str(), "A\"B\\C\tD\x01" "E/Z\x7f");
}

TEST(PinyinCli, BadOptionsOrText) {
  struct Bad {
    std::vector<std::string> args;
    const char* err;
  };
  const Bad cases[] = {
      {{"pinyin", "--flags", "abc", "中"}, "'abc' is not a valid integer value\n"},
      {{"pinyin", "--flags", "2147483648", "中"}, "'2147483648' is not a valid integer value\n"},
      {{"pinyin", "--max", "-2147483649", "中"}, "'-2147483649' is not a valid integer value\n"},
      {{"pinyin", "--max", "1.5", "中"}, "'1.5' is not a valid integer value\n"},
      {{"pinyin", "\xC3\x28"}, kInvalidUtf8},
      {{"pinyin", "\xC0\xAF"}, kInvalidUtf8},
      {{"pinyin", "\xED\xA0\x80"}, kInvalidUtf8},
      {{"pinyin", "\xD6\xD0"}, kInvalidUtf8},  // 中 in GBK, not UTF-8
  };
  for (const Bad& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.args[1];
    EXPECT_EQ(r.err, c.err) << c.args[1];
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(RunCli({"pinyin"}).status, 2);
  EXPECT_EQ(RunCli({"pinyin", "a", "b"}).status, 2);
}

struct NetNameCase {
  const char* name;
  const char* letters;
  const char* trait;
};

TEST(NetNameCli, LettersAndTheTraitOfTheLastOne) {
  const NetNameCase cases[] = {
      {"小明", "XM", "反复无常，喜欢模仿神秘人物举动的小孩子性格，但是常常被宠爱"},
      {"王芳", "WF", "有抱负，志气高"},
      {"ABC", "ABC", "可爱，较明显的自恋"},
      {"abc", "ABC", "可爱，较明显的自恋"},
      {"ABC!", "ABC", "可爱，较明显的自恋"},
      {"ABC3", "ABCC", "可爱，较明显的自恋"},
      {"2010", "BJAJ", "煽情高手"},
      {"  小明 \t", "XM", "反复无常，喜欢模仿神秘人物举动的小孩子性格，但是常常被宠爱"},
      {"王ａ", "Wa", "好奇心强，专一"},
      {"王Φ", "WPH", "自立，自强，可依靠"},
      {"王⑿", "WAB", "老实，沉默"},
      {"-x-", "X", "有恒心，害怕做重复的事情，哪怕是别人重复他做过的事"},
      // No trait: the last letter is "?" or nothing survives.
      {"王芳给", "WF?", ""},
      {"王芳★", "WF?", ""},
      {"王芳😀", "WF", "有抱负，志气高"},  // 王芳??: the "?"s drop out
      {"!!!", "", ""},
  };
  for (const NetNameCase& c : cases) {
    const auto r = RunCli({"netname", c.name});
    ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, std::string(c.letters) + "\t" + c.trait + "\n") << c.name;
  }
}

TEST(NetNameCli, JsonCarriesTheTrimmedName) {
  const auto r = RunCli({"netname", "--json", "  小明  "});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto obj = ParseJson(r.out);
  EXPECT_EQ(obj.keys(), (std::vector<std::string>{"name", "letters", "trait"}));
  EXPECT_EQ(obj["name"].str(), "小明");
  EXPECT_EQ(obj["letters"].str(), "XM");
  EXPECT_EQ(obj["trait"].str(), "反复无常，喜欢模仿神秘人物举动的小孩子性格，但是常常被宠爱");
}

TEST(NetNameCli, BlankOrMalformedName) {
  for (const char* name : {"", " ", " \t\n"}) {
    const auto r = RunCli({"netname", name});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "请输入你的网名！\n");
    EXPECT_EQ(r.out, "");
  }
  const auto bad = RunCli({"netname", "小\xFF"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, kInvalidUtf8);
}

}  // namespace

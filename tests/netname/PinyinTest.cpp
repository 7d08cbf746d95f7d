#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "netname/Pinyin.h"
#include "netname/SyllableTables.h"
#include "tests/netname/GbkText.h"

using tongshu::netname::ConvertToPinyin;
using tongshu::netname::PinyinZBuffer;
using tongshu::netname::testing::Gbk;

namespace {

constexpr int kFull = tongshu::netname::pfFullSyllable;
constexpr int kMark = tongshu::netname::pfMarkUnmapped;
constexpr int kKeep = tongshu::netname::pfKeepAllSingle;

struct Case {
  const char* what;
  std::string input;  // GBK bytes
  int flags;
  int maxLength;
  std::string expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what << " flags " << c.flags; }

class ConvertCases : public ::testing::TestWithParam<Case> {};

TEST_P(ConvertCases, GivesExpectedLetters) {
  const Case& c = GetParam();
  EXPECT_EQ(ConvertToPinyin(c.input, c.flags, c.maxLength), c.expected);
}

// Chinese characters, ASCII and the single-byte rule.
INSTANTIATE_TEST_SUITE_P(Hanzi, ConvertCases, ::testing::Values(
    Case{"中国 initials", Gbk("中国"), 0, 255, "ZG"},
    Case{"中国 syllables", Gbk("中国"), kFull, 255, "ZHONGGUO"},
    Case{"abc-12 drops the hyphen", "abc-12", 0, 255, "ABC12"},
    Case{"abc-12 keeps it", "abc-12", kKeep, 255, "ABC-12"},
    Case{"keep-all upper-cases only a..z", "a!b~{", kKeep, 255, "A!B~{"},
    Case{"给 marked", Gbk("给"), kMark, 255, "?"},
    Case{"给 dropped", Gbk("给"), 0, 255, ""},
    Case{"佛 and 髟 unmapped", Gbk("佛髟"), kMark | kFull, 255, "??"},
    Case{"lv and nv syllables", Gbk("吕女"), kFull, 255, "LVNV"},
    Case{"extra syllables", Gbk("嘸嗲"), kFull, 255, "MDIA"},
    Case{"one reading for polyphones", Gbk("行长重乐"), kFull, 255, "HANGZHANGZHONGLE"},
    Case{"longest syllables", Gbk("床双装"), kFull, 255, "CHUANGSHUANGZHUANG"},
    Case{"mixed text", Gbk("我爱Qt6，给你呢?"), 0, 255, "WAQT6NN"},
    Case{"mixed text marked", Gbk("我爱Qt6，给你呢?"), kMark, 255, "WAQT6?NN"},
    Case{"GBK extension rows", Gbk("丂亐"), 0, 255, "KY"},
    Case{"compatibility ideograph 0xFD9C", "\xFD\x9C", kFull, 255, "LANG"}));

// The symbol rows: numerals, full-width ASCII, Greek, and the rows without letters.
INSTANTIATE_TEST_SUITE_P(SymbolRows, ConvertCases, ::testing::Values(
    Case{"parenthesised 12", Gbk("⑿"), 0, 255, "12"},
    Case{"Roman 12", Gbk("Ⅻ"), 0, 255, "12"},
    Case{"parenthesised ideograph 5", Gbk("㈤"), 0, 255, "5"},
    Case{"numeral run ends", Gbk("ⅰⅹ⒈⒛⑴⒇①⑩㈠㈩ⅠⅫ"), 0, 255, "110120120110110112"},
    Case{"numeral gap", "\xA2\xAB\xA2\xE3\xA2\xF0\xA2\xFE", kMark, 255, ""},
    Case{"row 0xA2 below 0xA1", "\xA2\xA0", kMark, 255, "?"},
    Case{"full-width letter and digit", Gbk("Ａ１"), 0, 255, "A1"},
    Case{"full-width lower case stays lower", Gbk("ａｚ"), kFull, 255, "az"},
    Case{"full-width mark dropped", Gbk("！"), kMark, 255, ""},
    Case{"full-width marks kept", "\xA3\xA1\xA3\xFE", kKeep, 255, "!~"},
    Case{"full-width space kept", "\xA3\xA0", kKeep, 255, " "},
    Case{"Greek upper and lower", Gbk("Φφ"), 0, 255, "PHPH"},
    Case{"Greek ignores full syllable", Gbk("ΦΩ"), kFull, 255, "PHO"},
    Case{"Greek alphabet ends", Gbk("ΑΘΨωα"), 0, 255, "ATHPSOA"},
    Case{"Greek row gaps", "\xA6\xB9\xA6\xC0\xA6\xD9\xA6\xA0", kMark, 255, "????"},
    Case{"star marked", Gbk("★"), kMark, 255, "?"},
    Case{"star dropped", Gbk("★"), 0, 255, ""},
    Case{"kana rows marked", Gbk("あア"), kMark, 255, "??"},
    Case{"Cyrillic, pinyin and box rows marked", Gbk("Бā─"), kMark, 255, "???"}));

// Malformed and boundary input.
INSTANTIATE_TEST_SUITE_P(Bytes, ConvertCases, ::testing::Values(
    Case{"lone lead byte at the end dropped", "A\xD6", 0, 255, "A"},
    Case{"lone lead byte at the end kept", "a\xD6", kKeep, 255, "A\xD6"},
    Case{"lead before a low byte dropped", "\xD6-", 0, 255, ""},
    Case{"lead before a low byte kept", "\xD6-", kKeep, 255, "\xD6-"},
    Case{"lead before a digit: digit survives", "\xD6" "1", 0, 255, "1"},
    Case{"byte 0x80 is single", "\x80" "a", kMark, 255, "A"},
    Case{"lead 0xFF", "\xFF\x41", kMark, 255, "?"},
    Case{"trail 0xFF", "\xD6\xFF", kMark | kFull, 255, "?"},
    Case{"full-width row trail 0xFF", "\xA3\xFF", kMark | kKeep, 255, "?"},
    Case{"numeral row trail 0xFF", "\xA2\xFF", kMark, 255, "?"},
    Case{"0xFF alone", "\xFF", kKeep, 255, "\xFF"},
    Case{"embedded zero kept", std::string("a\0b", 3), kKeep, 255, std::string("A\0B", 3)},
    Case{"empty input", "", kKeep | kMark, 255, ""}));

INSTANTIATE_TEST_SUITE_P(LimitsAndFlags, ConvertCases, ::testing::Values(
    Case{"MaxLength cuts a syllable", Gbk("中国人民"), kFull, 3, "ZHO"},
    Case{"MaxLength 1", Gbk("中国人民"), 0, 1, "Z"},
    Case{"MaxLength exact", Gbk("中国人民"), 0, 4, "ZGRM"},
    Case{"MaxLength 0", Gbk("中国"), 0, 0, ""},
    Case{"MaxLength negative", Gbk("中国"), kFull, -5, ""},
    Case{"MaxLength INT_MAX", Gbk("中国"), kFull, INT_MAX, "ZHONGGUO"},
    Case{"MaxLength INT_MIN", Gbk("中国"), 0, INT_MIN, ""},
    Case{"MaxLength cuts a Greek pair", Gbk("Φ"), 0, 1, "P"},
    Case{"negative flags", Gbk("中国abc"), -1, 255, ""},
    Case{"INT_MIN flags", Gbk("中国abc"), INT_MIN, 255, ""},
    Case{"higher bits ignored", Gbk("中国-"), 8 | 16 | 0x40000000, 255, "ZG"},
    Case{"higher bits with full syllable", Gbk("中国-"), 0x7FFFFFF0 | kFull, 255, "ZHONGGUO"}));

TEST(ConvertToPinyin, EveryPairOfBytesStaysWithinItsBounds) {
  // Each byte yields at most one character (a whole syllable at most three),
  // under every flag combination; a fault in the bounds shows here, or under
  // the sanitizers as an overflow.
  for (int flags = 0; flags < 8; ++flags) {
    for (int lead = 0; lead < 256; ++lead) {
      std::string text;
      for (int trail = 0; trail < 256; ++trail) {
        text.push_back(static_cast<char>(lead));
        text.push_back(static_cast<char>(trail));
      }
      const std::string out = ConvertToPinyin(text, flags, INT_MAX);
      ASSERT_LE(out.size(), text.size() * ((flags & kFull) ? 3 : 1)) << "lead " << lead << " flags " << flags;
      if (!(flags & kKeep)) {
        for (const char ch : out) {
          const auto c = static_cast<unsigned char>(ch);
          ASSERT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '?')
              << "lead " << lead << " flags " << flags << " gave byte " << int(c);
        }
      }
    }
  }
}

TEST(ConvertToPinyin, LimitGivesPrefixOfFullResult) {
  const std::string text = Gbk("中华人民共和国ΦⅫ⑿abcＡ给★");
  for (int flags = 0; flags < 8; ++flags) {
    const std::string whole = ConvertToPinyin(text, flags, INT_MAX);
    for (int n = 0; n <= static_cast<int>(whole.size()) + 2; ++n)
      EXPECT_EQ(ConvertToPinyin(text, flags, n), whole.substr(0, static_cast<std::size_t>(n)))
          << "flags " << flags << " n " << n;
  }
}

TEST(ConvertToPinyin, WholeSyllablesOutgrowOneCharacterPerByte) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    text += Gbk(i % 3 ? "床" : "装a");
    expected += i % 3 ? "CHUANG" : "ZHUANGA";
  }
  EXPECT_EQ(ConvertToPinyin(text, kFull, INT_MAX), expected);
  EXPECT_EQ(ConvertToPinyin(text, kFull, 20001), expected.substr(0, 20001));
}

// The conversion rules written out plainly, one append at a time, as the
// model the optimised walk is checked against.
std::string ReferenceConvert(const std::string& text, int flags, int maxLength) {
  if (flags < 0) return "";
  const bool full = flags & kFull, mark = flags & kMark, keep = flags & kKeep;
  auto alnum = [](int c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  auto upper = [](std::string s) {
    for (char& ch : s)
      if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
    return s;
  };
  auto numeral = [](int t) -> std::string {
    const struct { int first, count; } runs[] = {{0xA1, 10}, {0xB1, 20}, {0xC5, 20}, {0xD9, 10}, {0xE5, 10}, {0xF1, 12}};
    for (const auto& r : runs)
      if (t >= r.first && t < r.first + r.count) return std::to_string(t - r.first + 1);
    return "";
  };
  static const char* const greek[] = {"a", "b", "g", "d", "e", "z", "e", "th", "i", "k", "l", "m",
                                      "n", "x", "o", "p", "r", "s", "t", "u", "ph", "kh", "ps", "o"};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const int b = static_cast<unsigned char>(text[i]);
    const int t = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (b < 0x81 || t < 0x40) {
      if (keep || alnum(b)) out += upper(std::string(1, static_cast<char>(b)));
      i += 1;
      continue;
    }
    i += 2;
    bool unmapped = false;
    if (b == 0xFF || t == 0xFF) {
      unmapped = true;
    } else if (b == 0xA2) {
      if (t >= 0xA1) out += numeral(t);
      else unmapped = true;
    } else if (b == 0xA3) {
      const int c = (t - 0x80) & 0xFF;
      if (keep || alnum(c)) out += static_cast<char>(c);
    } else if (b == 0xA6) {
      if (t >= 0xA1 && t <= 0xB8) out += upper(greek[t - 0xA1]);
      else if (t >= 0xC1 && t <= 0xD8) out += upper(greek[t - 0xC1]);
      else unmapped = true;
    } else {
      const int record = tongshu::netname::SyllableIndex[static_cast<std::size_t>((b - 0x81) * 191 + (t - 0x40))];
      if (record == 0) {
        unmapped = true;
      } else {
        const auto& r = tongshu::netname::SyllableTable[static_cast<std::size_t>(record - 1)];
        const std::string syllable = upper(std::string(r.letters.data(), r.length));
        out += full ? syllable : syllable.substr(0, 1);
      }
    }
    if (unmapped && mark) out += '?';
  }
  return maxLength <= 0 ? "" : out.substr(0, static_cast<std::size_t>(maxLength));
}

TEST(ConvertToPinyin, AgreesWithThePlainRulesOnRandomBytes) {
  std::mt19937 rng(7);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const std::string hanzi = Gbk("中华人民共和国给佛");
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int n = pick(0, 80); n > 0; --n) {
      // Mostly bytes of the interesting kinds, so that pairs, rows and stray
      // lead bytes all occur.
      switch (pick(0, 5)) {
        case 0: text.push_back(static_cast<char>(pick(0, 255))); break;
        case 1: text.push_back(static_cast<char>(pick(0x20, 0x7E))); break;
        case 2: text += hanzi.substr(static_cast<std::size_t>(pick(0, 8)) * 2, 2); break;
        case 3: text.push_back(static_cast<char>(pick(0, 1) ? 0xA2 : pick(0, 1) ? 0xA3 : 0xA6)); break;
        case 4: text.push_back(static_cast<char>(pick(0xA0, 0xFF))); break;
        default: text.push_back(static_cast<char>(pick(0x81, 0xFE))); text.push_back(static_cast<char>(pick(0x40, 0xFF)));
      }
    }
    const int flags = pick(0, 9) == 0 ? pick(INT_MIN, -1) : pick(0, 15);
    const int maxLength = pick(0, 4) == 0 ? pick(-3, 3) : pick(0, 1) ? INT_MAX : pick(0, 300);
    ASSERT_EQ(ConvertToPinyin(text, flags, maxLength), ReferenceConvert(text, flags, maxLength))
        << "round " << round << " flags " << flags << " max " << maxLength;
  }
}

TEST(ConvertToPinyinZ, ReturnsAnOwnedZeroTerminatedCopy) {
  const std::string text = Gbk("中国abc给");
  const PinyinZBuffer buffer(ConvertToPinyinZ(text.c_str(), kMark | kFull, 255));
  ASSERT_NE(buffer, nullptr);
  EXPECT_STREQ(buffer.get(), "ZHONGGUOABC?");

  const PinyinZBuffer empty(ConvertToPinyinZ(text.c_str(), -3, 255));
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty.get(), "");
}

TEST(ConvertToPinyinZ, NullTextIsEmpty) {
  const PinyinZBuffer buffer(ConvertToPinyinZ(nullptr, 0, 255));
  ASSERT_NE(buffer, nullptr);
  EXPECT_STREQ(buffer.get(), "");
}

}  // namespace

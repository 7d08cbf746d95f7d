#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "netname/Pinyin.h"
#include "netname/SyllableTables.h"
#include "tests/netname/GbkText.h"

using namespace tongshu::netname;
using tongshu::netname::testing::Gbk;

namespace {

std::string Record(int n) {
  const SyllableRecord& r = SyllableTable[static_cast<std::size_t>(n - 1)];
  return std::string(r.letters.data(), r.length);
}

std::uint16_t Entry(int lead, int trail) {
  return SyllableIndex[static_cast<std::size_t>((lead - kFirstLead) * kIndexColumns + (trail - kFirstTrail))];
}

TEST(SyllableTable, RecordsAreWellFormedAndDistinct) {
  std::set<std::string> seen;
  for (int n = 1; n <= kSyllableRecords; ++n) {
    const SyllableRecord& r = SyllableTable[static_cast<std::size_t>(n - 1)];
    ASSERT_LE(r.length, 6) << n;
    for (std::size_t i = 0; i < r.letters.size(); ++i) {
      if (i < r.length) {
        EXPECT_TRUE(r.letters[i] >= 'a' && r.letters[i] <= 'z') << "record " << n;
      } else {
        EXPECT_EQ(r.letters[i], '\0') << "record " << n << " padding";
      }
    }
    if (r.length != 0) {
      EXPECT_TRUE(seen.insert(Record(n)).second) << "duplicate " << Record(n);
    }
  }
  EXPECT_EQ(seen.size(), 404u);
  EXPECT_EQ(Record(394), "");
}

TEST(SyllableTable, MainRecordsAreAlphabeticalApartFromFourStrays) {
  const std::set<std::string> strays = {"fou", "ji", "qiao", "yao"};
  std::string previous;
  for (int n = 1; n <= 393; ++n) {
    const std::string s = Record(n);
    if (strays.count(s)) continue;
    EXPECT_LT(previous, s) << "record " << n;
    previous = s;
  }
  // Where the strays sit.
  auto after = [](const std::string& syllable) {
    for (int n = 1; n < 393; ++n)
      if (Record(n) == syllable) return Record(n + 1);
    return std::string("(missing)");
  };
  EXPECT_EQ(after("fu"), "fou");
  EXPECT_EQ(after("ge"), "ji");
  EXPECT_EQ(after("ji"), "gen");
  EXPECT_EQ(after("jiang"), "qiao");
  EXPECT_EQ(after("qiao"), "jiao");
  EXPECT_EQ(after("nue"), "yao");
  EXPECT_EQ(after("yao"), "nuo");
}

TEST(SyllableTable, TailRecordsAndLongestSyllables) {
  const std::vector<std::string> tail = {"ei", "m", "n", "dia", "cen", "nou", "jv", "qv", "xv", "lv", "nv"};
  for (std::size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(Record(395 + static_cast<int>(i)), tail[i]);
  std::set<std::string> longest;
  for (int n = 1; n <= kSyllableRecords; ++n)
    if (Record(n).size() == 6) longest.insert(Record(n));
  EXPECT_EQ(longest, (std::set<std::string>{"chuang", "shuang", "zhuang"}));
}

TEST(SyllableIndex, EntriesReferToUsableRecords) {
  std::set<int> neverUsed = {394, 401, 402, 403};  // the empty record, jv, qv, xv
  for (std::size_t i = 0; i < SyllableIndex.size(); ++i) {
    const int e = SyllableIndex[i];
    ASSERT_LE(e, kSyllableRecords) << "entry " << i;
    EXPECT_EQ(neverUsed.count(e), 0u) << "entry " << i << " refers to record " << e;
  }
}

TEST(SyllableIndex, SymbolRowsUserAreasAndColumn7FAreEmpty) {
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const bool symbolRow = lead >= 0xA1 && lead <= 0xA9;
      const bool userArea = ((lead >= 0xAA && lead <= 0xAF) || (lead >= 0xF8 && lead <= 0xFD)) && trail >= 0xA1;
      if (symbolRow || userArea || lead == 0xFE || trail == 0x7F) {
        EXPECT_EQ(Entry(lead, trail), 0) << std::hex << lead << ' ' << trail;
      }
    }
  }
}

TEST(SyllableIndex, CoversGb2312ButThreeAndNearlyAllOfTheExtension) {
  const std::set<int> unmapped = {0xB7F0, 0xB8F8, 0xF7D4};  // 佛 给 髟
  ASSERT_EQ(Gbk("佛给髟"), "\xB7\xF0\xB8\xF8\xF7\xD4");
  int gb2312 = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail >= 0xFA) continue;  // unassigned in GB2312
      ++gb2312;
      const bool expectMapped = unmapped.count(lead << 8 | trail) == 0;
      EXPECT_EQ(Entry(lead, trail) != 0, expectMapped) << std::hex << lead << trail;
    }
  }
  EXPECT_EQ(gb2312, 6763);

  int positions = 0;
  int mapped = 0;
  auto tally = [&](int firstLead, int lastLead, int lastTrail) {
    for (int lead = firstLead; lead <= lastLead; ++lead)
      for (int trail = 0x40; trail <= lastTrail; ++trail)
        if (trail != 0x7F) {
          ++positions;
          mapped += Entry(lead, trail) != 0;
        }
  };
  tally(0x81, 0xA0, 0xFE);
  tally(0xAA, 0xAF, 0xA0);
  tally(0xB0, 0xF7, 0xA0);
  tally(0xF8, 0xFD, 0xA0);
  EXPECT_GE(mapped * 100, positions * 99) << mapped << " of " << positions;
}

// Everyday characters by initial: a check of the readings and of the index
// arithmetic against text typed independently of the generator.
struct InitialGroup {
  char initial;
  const char* characters;
};

constexpr InitialGroup kCommon[] = {
    {'A', "啊阿爱安按暗岸案矮艾澳傲奥昂凹"},
    {'B', "八把爸白百办半帮包报北被本比笔边变表别宾病波不步布"},
    {'C', "才菜参草层茶查差产常场唱超车成城吃出穿窗春词次从村错"},
    {'D', "大打带单但当到道得灯等低地点电店定东冬动读短对多"},
    {'E', "饿鹅额儿而耳二尔"},
    {'F', "发法饭方房放飞非分份风封父付妇服福富副"},
    {'G', "该改干感刚高告哥歌个各根跟更工公共狗够古故关观管光广贵国果过"},
    {'H', "孩海害含汉好号喝河和黑很红后候湖虎花华画话坏欢换黄回会活火"},
    {'J', "机鸡积基极急几记季家加假价间见件建江将讲交教角叫接街节结姐解今金进近京经井九久酒旧就居局举句觉军"},
    {'K', "开看康考靠科可课客空口哭苦快块宽况困"},
    {'L', "拉来蓝老乐冷离李里理力历立丽连脸练凉两亮林零领流六龙楼路绿旅论落"},
    {'M', "妈马买卖满慢忙猫毛么没每美门们梦米面民名明母木目"},
    {'N', "拿哪那奶男南难脑呢内能你年念娘鸟您牛农弄女努"},
    {'O', "哦欧偶殴"},
    {'P', "怕拍排牌派盘旁跑朋皮片漂票品平瓶破铺普"},
    {'Q', "七期其奇起气汽千前钱浅强桥巧亲青轻清情请秋求球区取去全缺群"},
    {'R', "然让热人认日容肉如入软弱"},
    {'S', "三伞散色森沙山伤商上少绍设社身深神生声省十时识实始是市事室手首书树水睡说思死四送苏算岁孙所"},
    {'T', "他她它台太谈汤糖躺讨特疼提题体天田条跳铁听停通同头图土团推腿脱"},
    {'W', "哇外完玩晚碗万王往忘望为位文问我屋无五午物务"},
    {'X', "西吸希息习洗喜细下夏先鲜现线乡相想向象小笑校些写谢新心信星兴姓休修需许学雪"},
    {'Y', "压牙呀烟言颜眼演羊阳洋养样要药爷也夜一衣医已以意因音银印英应影用由邮油有友又右鱼语雨元员园原远院月越云运"},
    {'Z', "杂在再早造怎增站张找照这真整正知直只纸指中钟种重周猪主住注祝抓专转装准桌字自走租足嘴最昨左作坐做"},
};

TEST(SyllableIndex, CommonCharactersGiveTheirInitials) {
  int checked = 0;
  for (const InitialGroup& group : kCommon) {
    const std::string gbk = Gbk(group.characters);
    ASSERT_EQ(gbk.size() % 2, 0u);
    for (std::size_t i = 0; i < gbk.size(); i += 2) {
      const std::string one = gbk.substr(i, 2);
      EXPECT_EQ(ConvertToPinyin(one, 0, 255), std::string(1, group.initial))
          << "character " << i / 2 << " of group " << group.initial;
      ++checked;
    }
    // The whole group at once: no pair boundary goes astray.
    EXPECT_EQ(ConvertToPinyin(gbk, 0, 1000), std::string(gbk.size() / 2, group.initial));
  }
  EXPECT_GE(checked, 300);
}

TEST(SyllableIndex, DesignatedSyllables) {
  const std::pair<const char*, const char*> cases[] = {
      {"啊", "A"},     {"中", "ZHONG"}, {"国", "GUO"}, {"吕", "LV"}, {"女", "NV"}, {"嘸", "M"},
      {"嗲", "DIA"},   {"行", "HANG"},  {"长", "ZHANG"}, {"重", "ZHONG"}, {"乐", "LE"}, {"略", "LUE"},
      {"虐", "NUE"},   {"诶", "EI"},    {"岑", "CEN"}, {"耨", "NOU"}, {"嗯", "N"},
  };
  for (const auto& [chinese, syllable] : cases)
    EXPECT_EQ(ConvertToPinyin(Gbk(chinese), pfFullSyllable, 255), syllable) << chinese;
}

}  // namespace

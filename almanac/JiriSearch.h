#pragma once
// The auspicious-day search: which almanac words an activity stands for,
// which zodiac animal is meant, and whether a day suits the activity.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/AlmanacActivities.h"
#include "almanac/AlmanacTable.h"

namespace tongshu::almanac {

// An everyday word and the almanac words it stands for (one or two; an
// unused second is written out as "", which GCC 12 needs in a constant).
struct EverydayWord {
  std::string_view word;
  std::array<std::string_view, 2> activities;
};

inline constexpr std::array<EverydayWord, 30> kEverydayWords{{
    {"结婚", {"嫁娶", ""}},         {"出嫁", {"嫁娶", ""}},         {"订婚", {"纳采", "订盟"}},
    {"提亲", {"纳采", "问名"}}, {"搬家", {"移徙", "入宅"}}, {"乔迁", {"移徙", "入宅"}},
    {"入住", {"入宅", ""}},         {"开业", {"开市", ""}},         {"开张", {"开市", ""}},
    {"开工", {"开市", "动土"}}, {"装修", {"修造", "动土"}}, {"动工", {"动土", ""}},
    {"盖房", {"盖屋", "起基"}}, {"签约", {"立券", "交易"}}, {"买房", {"置产", ""}},
    {"求财", {"纳财", ""}},         {"旅游", {"出行", ""}},         {"出差", {"出行", ""}},
    {"出门", {"出行", ""}},         {"上任", {"赴任", ""}},         {"上学", {"入学", ""}},
    {"看病", {"求医", "治病"}}, {"剪发", {"理发", ""}},         {"求子", {"求嗣", ""}},
    {"祭祖", {"祭祀", ""}},         {"拜神", {"祭祀", "祈福"}}, {"下葬", {"安葬", ""}},
    {"扫墓", {"修坟", "祭祀"}}, {"种植", {"栽种", ""}},         {"打官司", {"词讼", ""}},
}};

namespace detail {
constexpr bool IsAlmanacActivity(std::string_view word) {
  for (const std::string_view a : kAlmanacActivities)
    if (a == word) return true;
  return false;
}
constexpr bool EverydayWordsAreSound() {
  for (std::size_t i = 0; i < kEverydayWords.size(); ++i) {
    const EverydayWord& e = kEverydayWords[i];
    // An everyday word is never an almanac word itself, nor listed twice.
    if (IsAlmanacActivity(e.word) || e.activities[0].empty()) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (kEverydayWords[j].word == e.word) return false;
    for (const std::string_view a : e.activities)
      if (!a.empty() && !IsAlmanacActivity(a)) return false;
  }
  return true;
}
}  // namespace detail
static_assert(detail::EverydayWordsAreSound(),
              "every everyday word maps to words of the almanac's lists and is none of them");

struct Activity {
  std::string word;                     // as asked
  std::vector<std::string_view> words;  // the almanac words it stands for
};

// An almanac word stands for itself, an everyday word for its mapping;
// anything else is no activity.
std::optional<Activity> ResolveActivity(std::string_view word);

// The known words nearest to `word` by edit distance over characters, at most
// `count`, nearest first.
std::vector<std::string_view> NearestWords(std::string_view word, std::size_t count);

// The twelve animals in cycle order: "鼠" .. "猪".
std::array<std::string_view, 12> ZodiacAnimals();

// The animal of "虎" or "寅虎"; nothing for anything else.
std::optional<std::string_view> ResolveAnimal(std::string_view text);

// The words of the activity that the day's 宜 list holds, blank-separated,
// when it holds one and its 忌 list holds none; nothing otherwise.
std::optional<std::string> MatchDay(const Activity& activity, std::string_view yi, std::string_view ji);

// What a day must be to be listed.
struct JiriCriteria {
  Activity activity;
  std::vector<std::string_view> animals;  // a day that clashes with one of them is left out
  bool weekendOnly = false;
};

// The matched words (as MatchDay) of a day that meets the criteria.
std::optional<std::string> MatchJiriDay(const JiriCriteria& criteria, const AlmanacDayTexts& day);

}  // namespace tongshu::almanac

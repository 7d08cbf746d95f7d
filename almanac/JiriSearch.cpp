#include "almanac/JiriSearch.h"

#include <algorithm>
#include <numeric>

#include "almanac/HuangdaoLookup.h"
#include "calendar/CalendarAnnotations.h"
#include "text/Utf8.h"

namespace tongshu::almanac {
namespace {

std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  while (!text.empty()) {
    const std::size_t n = Utf8SequenceLength(text);
    if (n == 0) {  // not UTF-8: one unit per byte is good enough for a distance
      out.push_back(static_cast<unsigned char>(text.front()));
      text.remove_prefix(1);
      continue;
    }
    out.push_back(DecodeUtf8Sequence(text, n));
    text.remove_prefix(n);
  }
  return out;
}

std::size_t EditDistance(const std::vector<char32_t>& a, const std::vector<char32_t>& b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string_view> NearestWords(std::string_view word, std::size_t count) {
  // Everyday words first, then the almanac's by frequency: ties keep that order.
  std::vector<std::string_view> known;
  for (const EverydayWord& e : kEverydayWords) known.push_back(e.word);
  known.insert(known.end(), kAlmanacActivities.begin(), kAlmanacActivities.end());
  const std::vector<char32_t> asked = CodePoints(word);
  std::vector<std::pair<std::size_t, std::size_t>> ranked;  // distance, index
  for (std::size_t i = 0; i < known.size(); ++i) ranked.emplace_back(EditDistance(asked, CodePoints(known[i])), i);
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string_view> nearest;
  for (std::size_t i = 0; i < ranked.size() && nearest.size() < count; ++i) nearest.push_back(known[ranked[i].second]);
  return nearest;
}

std::optional<Activity> ResolveActivity(std::string_view word) {
  const std::string_view asked = TrimLow(word);
  if (detail::IsAlmanacActivity(asked)) return Activity{std::string(asked), {asked}};
  for (const EverydayWord& e : kEverydayWords) {
    if (e.word != asked) continue;
    Activity activity{std::string(asked), {}};
    for (const std::string_view a : e.activities)
      if (!a.empty()) activity.words.push_back(a);
    return activity;
  }
  return std::nullopt;
}

std::array<std::string_view, 12> ZodiacAnimals() {
  std::array<std::string_view, 12> animals;
  for (std::size_t i = 0; i < animals.size(); ++i) {
    // The branch and the animal, one character each.
    const std::string_view pair = calendar::kZodiacTexts[i];
    animals[i] = pair.substr(Utf8SequenceLength(pair));
  }
  return animals;
}

std::optional<std::string_view> ResolveAnimal(std::string_view text) {
  const std::string_view asked = TrimLow(text);
  for (std::size_t i = 0; i < calendar::kZodiacTexts.size(); ++i) {
    const std::string_view animal = ZodiacAnimals()[i];
    if (asked == animal || asked == calendar::kZodiacTexts[i]) return animal;
  }
  return std::nullopt;
}

std::optional<std::string> MatchDay(const Activity& activity, std::string_view yi, std::string_view ji) {
  std::string matched;
  for (const std::string_view word : activity.words) {
    if (ListHolds(ji, word)) return std::nullopt;
    if (ListHolds(yi, word)) matched.append(matched.empty() ? "" : " ").append(word);
  }
  if (matched.empty()) return std::nullopt;
  return matched;
}

std::optional<std::string> MatchJiriDay(const JiriCriteria& criteria, const AlmanacDayTexts& day) {
  auto matched = MatchDay(criteria.activity, day.yi, day.ji);
  if (!matched) return std::nullopt;
  const std::string_view clash = ClashAnimal(day.cong);
  for (const std::string_view animal : criteria.animals)
    if (clash == animal) return std::nullopt;
  if (criteria.weekendOnly) {
    const std::string_view weekday = ParseOverview(day.nn).weekday;
    if (weekday != "星期六" && weekday != "星期日") return std::nullopt;
  }
  return matched;
}

}  // namespace tongshu::almanac

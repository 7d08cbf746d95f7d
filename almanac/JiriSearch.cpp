#include "almanac/JiriSearch.h"

#include <algorithm>
#include <numeric>

#include "cli/Arguments.h"
#include "calendar/CalendarAnnotations.h"
#include "almanac/HuangdaoLookup.h"
#include "text/Utf8.h"

namespace tongshu::cli {
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

Activity ResolveActivity(std::string_view word) {
  const std::string_view asked = almanac::TrimLow(word);
  if (detail::IsAlmanacActivity(asked)) return {std::string(asked), {asked}};
  for (const EverydayWord& e : kEverydayWords) {
    if (e.word != asked) continue;
    Activity activity{std::string(asked), {}};
    for (const std::string_view a : e.activities)
      if (!a.empty()) activity.words.push_back(a);
    return activity;
  }
  std::string message = "不认识的活动“" + std::string(asked) + "”，相近的有：";
  const std::vector<std::string_view> nearest = NearestWords(asked, 5);
  for (std::size_t i = 0; i < nearest.size(); ++i) message.append(i ? "、" : "").append(nearest[i]);
  message += "（全部见 tongshu-cli jiri --help）";
  throw InputError(message);
}

std::string_view ResolveAnimal(std::string_view text) {
  const std::string_view asked = almanac::TrimLow(text);
  std::string all;
  for (const std::string_view pair : calendar::kZodiacTexts) {
    // The branch and the animal, one character each.
    const std::size_t branch = Utf8SequenceLength(pair);
    const std::string_view animal = pair.substr(branch);
    if (asked == animal || asked == pair) return animal;
    all.append(all.empty() ? "" : " ").append(animal);
  }
  throw InputError("不认识的生肖“" + std::string(asked) + "”，可用：" + all);
}

std::optional<std::string> MatchDay(const Activity& activity, std::string_view yi, std::string_view ji) {
  std::string matched;
  for (const std::string_view word : activity.words) {
    if (almanac::ListHolds(ji, word)) return std::nullopt;
    if (almanac::ListHolds(yi, word)) matched.append(matched.empty() ? "" : " ").append(word);
  }
  if (matched.empty()) return std::nullopt;
  return matched;
}

std::string EverydayWordsHelp() {
  std::string text;
  for (const EverydayWord& e : kEverydayWords) {
    text.append("  ").append(e.word).append(" → ").append(e.activities[0]);
    if (!e.activities[1].empty()) text.append("/").append(e.activities[1]);
    text.push_back('\n');
  }
  return text;
}

}  // namespace tongshu::cli

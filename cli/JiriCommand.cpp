// jiri: the days of a range whose 宜 list holds an activity and whose 忌 list
// does not, from one pass over table huangdao.
#include <algorithm>
#include <vector>

#include "almanac/HuangdaoLookup.h"
#include "almanac/JiriSearch.h"
#include "cli/AlmanacRows.h"
#include "cli/Commands.h"
#include "cli/Dates.h"
#include "cli/Json.h"

namespace tongshu::cli {
namespace {

almanac::Activity ActivityArgument(std::string_view word) {
  if (auto activity = almanac::ResolveActivity(word)) return std::move(*activity);
  const std::string_view asked = almanac::TrimLow(word);
  std::string message = "不认识的活动“" + std::string(asked) + "”，相近的有：";
  const std::vector<std::string_view> nearest = almanac::NearestWords(asked, 5);
  for (std::size_t i = 0; i < nearest.size(); ++i) message.append(i ? "、" : "").append(nearest[i]);
  message += "（全部见 tongshu-cli jiri --help）";
  throw InputError(message);
}

std::string_view AnimalArgument(std::string_view text) {
  if (const auto animal = almanac::ResolveAnimal(text)) return *animal;
  std::string all;
  for (const std::string_view animal : almanac::ZodiacAnimals()) all.append(all.empty() ? "" : " ").append(animal);
  throw InputError("不认识的生肖“" + std::string(almanac::TrimLow(text)) + "”，可用：" + all);
}

// The animals of one --zodiac value, split at ASCII or Chinese commas and 、.
std::vector<std::string_view> ZodiacList(std::string_view text) {
  std::vector<std::string_view> animals;
  while (true) {
    std::size_t cut = std::string_view::npos, width = 0;
    for (const std::string_view separator : {std::string_view(","), std::string_view("，"), std::string_view("、")})
      if (const std::size_t at = text.find(separator); at < cut) {
        cut = at;
        width = separator.size();
      }
    animals.push_back(text.substr(0, cut));
    if (cut == std::string_view::npos) return animals;
    text.remove_prefix(cut + width);
  }
}

}  // namespace

std::string EverydayWordsHelp() {
  std::string text;
  for (const almanac::EverydayWord& e : almanac::kEverydayWords) {
    text.append("  ").append(e.word).append(" → ").append(e.activities[0]);
    if (!e.activities[1].empty()) text.append("/").append(e.activities[1]);
    text.push_back('\n');
  }
  return text;
}

int JiriCommand(const CommandLine& line, Context& ctx) {
  // Everything is checked before the data file is opened.
  if (line.positional.size() != 1)
    throw InputError("tongshu-cli jiri: give one ACTIVITY, --from DATE and --to DATE (see tongshu-cli jiri --help)");
  almanac::JiriCriteria criteria{ActivityArgument(line.positional.front()), {}, line.flag("weekend")};
  const DateRange range = RangeOptions("jiri", line);
  RequireDataRange(range);
  // A couple has two animals: "--zodiac 虎 --zodiac 马" or "--zodiac 虎,马".
  for (const std::string& given : line.all("zodiac"))
    for (const std::string_view animal : ZodiacList(given)) criteria.animals.push_back(AnimalArgument(animal));

  struct Found {
    std::chrono::sys_days day;
    std::string nn, cong, matched;
  };
  std::vector<Found> found;
  ForEachAlmanacDay(ctx.database, ctx.dataDir, range,
                    [&](std::chrono::sys_days day, const almanac::AlmanacDayTexts& row) {
                      if (auto matched = almanac::MatchJiriDay(criteria, row))
                        found.push_back({day, std::string(row.nn), std::string(row.cong), std::move(*matched)});
                    });
  // One row a day already; the file's order need not be the calendar's.
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.day < b.day; });
  if (found.empty()) {
    ctx.err << IsoDate(Date{range.first}) << " 至 " << IsoDate(Date{range.last}) << " 之间没有适合" << criteria.activity.word
            << "的日子\n";
    return kExitNoRow;
  }

  std::string buffer;
  for (const Found& f : found) {
    const almanac::HuangdaoOverview o = almanac::ParseOverview(f.nn);
    const std::string date = IsoDate(Date{f.day});
    const std::string_view clash = almanac::TrimLow(f.cong);
    if (line.json) {
      buffer += JsonObject()
                    .addString("date", date)
                    .addString("weekday", o.weekday)
                    .addString("lunarDate", o.lunarDate)
                    .addString("dayStar", o.dayStar)
                    .addString("officer", o.officer)
                    .addString("clash", clash)
                    .addString("matched", f.matched)
                    .str();
      buffer.push_back('\n');
    } else {
      for (const std::string_view field : {std::string_view(date), o.weekday, o.lunarDate, o.dayStar, o.officer, clash,
                                           std::string_view(f.matched)})
        buffer.append(field).push_back('\t');
      buffer.back() = '\n';
    }
  }
  ctx.out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  return kExitOk;
}

}  // namespace tongshu::cli

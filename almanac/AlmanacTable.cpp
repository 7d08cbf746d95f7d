#include "almanac/AlmanacTable.h"

#include <array>
#include <vector>

#include "services/ConnStr.h"
#include "db/Database.h"
#include "almanac/HuangdaoLookup.h"

namespace tongshu::cli {
namespace {

// The key and the texts the searches read, in the order they are selected.
constexpr std::array<std::string_view, 5> kColumns{"gn", "nn", "cong", "yi", "ji"};
constexpr std::array<std::string_view AlmanacDayTexts::*, 4> kTexts{&AlmanacDayTexts::nn, &AlmanacDayTexts::cong,
                                                                    &AlmanacDayTexts::yi, &AlmanacDayTexts::ji};

// A column's text as read; NULL reads as empty.
std::string_view TextAt(const db::Record& record, std::size_t index) {
  if (index >= record.values.size() || !record.values[index]) return {};
  return *record.values[index];
}

}  // namespace

void ForEachAlmanacDay(db::Database& database, const std::string& dataDir, const DateRange& range,
                       const std::function<void(std::chrono::sys_days, const AlmanacDayTexts&)>& visit) {
  const std::vector<std::string> columns(kColumns.begin(), kColumns.end());
  std::vector<bool> seen(static_cast<std::size_t>((range.last - range.first).count() + 1));
  AlmanacDayTexts texts;
  database.forEachRow(BuildConnStr(dataDir, kBirthTail), "huangdao", columns, [&](const db::Record& record) {
    // The reader writes a DateTime as "yyyy-MM-dd", and a time of day after a blank.
    const std::string_view gn = TextAt(record, 0);
    const auto date = almanac::ParseYmdText(gn.substr(0, gn.find(' ')));
    if (!date) return;
    const std::chrono::sys_days day{*date};
    if (day < range.first || day > range.last) return;
    const auto index = static_cast<std::size_t>((day - range.first).count());
    if (seen[index]) return;
    seen[index] = true;
    for (std::size_t i = 0; i < kTexts.size(); ++i) texts.*kTexts[i] = TextAt(record, i + 1);
    visit(day, texts);
  });
}

}  // namespace tongshu::cli

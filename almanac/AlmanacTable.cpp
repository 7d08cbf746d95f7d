#include "almanac/AlmanacTable.h"

#include "calendar/DateText.h"

namespace tongshu::almanac {

AlmanacDayTexts AlmanacDayTextsOf(std::span<const std::optional<std::string>> values) {
  const auto text = [&](std::size_t index) -> std::string_view {
    if (index >= values.size() || !values[index]) return {};
    return *values[index];
  };
  return {text(1), text(2), text(3), text(4)};
}

AlmanacDaySieve::AlmanacDaySieve(std::chrono::sys_days first, std::chrono::sys_days last)
    : first_(first), last_(last), seen_(first <= last ? static_cast<std::size_t>((last - first).count() + 1) : 0) {}

std::optional<std::chrono::sys_days> AlmanacDaySieve::take(std::string_view gn) {
  const auto date = calendar::ParseYmdText(gn.substr(0, gn.find(' ')));
  if (!date) return std::nullopt;
  const std::chrono::sys_days day{*date};
  if (day < first_ || day > last_) return std::nullopt;
  const auto index = static_cast<std::size_t>((day - first_).count());
  if (seen_[index]) return std::nullopt;
  seen_[index] = true;
  return day;
}

}  // namespace tongshu::almanac

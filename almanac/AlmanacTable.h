#pragma once
// Table huangdao read in one pass for many days (the auspicious-day search, a
// calendar feed): which columns to read and which rows count. The rows come
// in as plain values; the caller runs the query.
#include <array>
#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::almanac {

// The key and the texts the searches read, in the order they are selected.
inline constexpr std::array<std::string_view, 5> kAlmanacDayColumns{"gn", "nn", "cong", "yi", "ji"};

// The texts of a row; they live as long as the row's values.
struct AlmanacDayTexts {
  std::string_view nn, cong, yi, ji;
};

// A row's values in the order of kAlmanacDayColumns; NULL reads as empty.
AlmanacDayTexts AlmanacDayTextsOf(std::span<const std::optional<std::string>> values);

// The days of [first, last] in the order the table gives them, each once: a
// second row for a day is passed over, as the window shows the first.
class AlmanacDaySieve {
 public:
  AlmanacDaySieve(std::chrono::sys_days first, std::chrono::sys_days last);

  // The day of a row's key ("yyyy-MM-dd", perhaps with a time of day after a
  // blank) when it lies in the range and has not been taken yet.
  std::optional<std::chrono::sys_days> take(std::string_view gn);

 private:
  std::chrono::sys_days first_, last_;
  std::vector<bool> seen_;
};

}  // namespace tongshu::almanac

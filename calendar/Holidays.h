#pragma once
// The public holidays (休) and weekend working days (班) of mainland China
// from holidays.tsv beside the data files, for the years that file covers.
#include <chrono>
#include <map>
#include <string>
#include <string_view>

namespace tongshu::cli {

inline constexpr std::string_view kHolidaysFile = "holidays.tsv";

struct PublicHoliday {
  std::string kind;  // "休" or "班"
  std::string name;  // the holiday the day belongs to: "春节"
};

class Holidays {
 public:
  // Reads `path`; throws db::DbError when it is missing, unreadable or not in
  // the file's form (the line is named).
  static Holidays Load(const std::string& path);

  // The day's entry, or null for an ordinary day or a year not covered.
  const PublicHoliday* find(std::chrono::sys_days day) const;

  // The covered years run from firstYear to lastYear (none when empty).
  bool empty() const { return days_.empty(); }
  int firstYear() const { return firstYear_; }
  int lastYear() const { return lastYear_; }

  // One line for the years of [first, last] the file does not cover, or an
  // empty text when it covers them all.
  std::string uncoveredNote(std::chrono::sys_days first, std::chrono::sys_days last) const;

 private:
  std::map<std::chrono::sys_days, PublicHoliday> days_;
  int firstYear_ = 0, lastYear_ = -1;
};

}  // namespace tongshu::cli

#pragma once
// The State Council's yearly holiday notice (国务院办公厅关于YYYY年部分节假日安排
// 的通知) read into the days it names: each 休 day of a range or a 补休, each
// 班 day, under the holiday of its item. Both wordings the notices have used
// are read: "1月1日放假，1月2日（星期一）补休" and "1月1日（周四）至3日（周六）
// 放假调休，共3天。1月4日（周日）上班。".
#include <stdexcept>
#include <string_view>
#include <vector>

#include "calendar/Holidays.h"

namespace tongshu::calendar {

// A text that is not such a notice, or not the whole of one. The message is
// for the user: it says what is missing or wrong.
class HolidayNoticeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct HolidayNotice {
  int year = 0;  // the year of the title
  // By date; each belongs to the schedule of `year` (a 元旦 day may fall in
  // the December before).
  std::vector<HolidayDay> days;
};

// `text` is the notice as published: UTF-8 (a byte-order mark allowed) or,
// when it is not UTF-8, GBK; full-width or ASCII punctuation and digits, any
// line breaks and blanks. Names are those of the holiday table (清明, 端午,
// 中秋 for 清明节, 端午节, 中秋节). Throws HolidayNoticeError.
HolidayNotice ParseHolidayNotice(std::string_view text);

}  // namespace tongshu::calendar

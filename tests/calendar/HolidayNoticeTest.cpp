// The State Council's holiday notices read into days: the real notices of
// several years in both wordings against the bundled holiday table, the same
// texts in the forms they are published in, and texts that are not whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/HolidayNotice.h"
#include "calendar/Holidays.h"
#include "tests/calendar/TestDates.h"
#include "tests/support/TestFiles.h"
#include "text/Cp936.h"

namespace {

using tongshu::calendar::HolidayDay;
using tongshu::calendar::HolidayNotice;
using tongshu::calendar::HolidayNoticeError;
using tongshu::calendar::Holidays;
using tongshu::calendar::ParseHolidayNotice;
using tongshu::calendar::testing::D;
using tongshu::calendar::testing::Str;

const std::string kNotices = TONGSHU_NOTICES "/";

std::string Notice(int year) { return tongshu::testing::ReadWholeFile(kNotices + std::to_string(year) + ".txt"); }

std::vector<std::string> Lines(const std::vector<HolidayDay>& days) {
  std::vector<std::string> lines;
  for (const HolidayDay& d : days)
    lines.push_back(Str(std::chrono::year_month_day{d.day}) + " " + d.holiday.kind + " " + d.holiday.name);
  return lines;
}

// The stored copies have ASCII ",:();"; the notices are published with the
// full-width forms.
std::string FullWidth(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case ',': out += "，"; break;
      case ':': out += "："; break;
      case '(': out += "（"; break;
      case ')': out += "）"; break;
      case ';': out += "；"; break;
      default: out += c;
    }
  }
  return out;
}

// The message of the refusal, or "accepted".
std::string Refusal(const std::string& text) {
  try {
    ParseHolidayNotice(text);
  } catch (const HolidayNoticeError& e) {
    return e.what();
  }
  return "accepted";
}

struct RealNotice {
  int year;
  const char* wording;
  std::vector<std::string> notInTable;  // days the notice names and the table lacks
  std::vector<std::string> onlyInTable;
};

// Where the bundled table and the notice part, and why:
// 2012-06-23 is the Saturday inside "6月22日至24日放假公休" that the table's
// source left out; the days of September 2015 come from the separate notice
// of 2015-05-13 for the 70th anniversary of the victory, not the yearly one.
const RealNotice kRealNotices[] = {
    {2012, "older", {"2012-06-23 休 端午"}, {}},
    {2015, "older", {},
     {"2015-09-03 休 中国人民抗日战争暨世界反法西斯战争胜利70周年纪念日",
      "2015-09-04 休 中国人民抗日战争暨世界反法西斯战争胜利70周年纪念日",
      "2015-09-06 班 中国人民抗日战争暨世界反法西斯战争胜利70周年纪念日"}},
    {2016, "older", {}, {}},
    {2024, "older", {}, {}},
    {2025, "newer", {}, {}},
    {2026, "newer", {}, {}},
};

TEST(HolidayNotice, RealNoticesGiveTheDaysOfTheBundledTable) {
  const Holidays table =
      Holidays::Parse(tongshu::testing::ReadWholeFile(std::string(TONGSHU_DATA_SOURCE) + "/holidays.tsv"));
  for (const RealNotice& n : kRealNotices) {
    SCOPED_TRACE(std::to_string(n.year) + ", " + n.wording + " wording");
    const std::string text = Notice(n.year);
    ASSERT_FALSE(text.empty());
    const HolidayNotice notice = ParseHolidayNotice(text);
    EXPECT_EQ(notice.year, n.year);

    std::vector<std::string> expected = Lines(table.daysOf(n.year));
    std::erase_if(expected, [&](const std::string& line) {
      return std::find(n.onlyInTable.begin(), n.onlyInTable.end(), line) != n.onlyInTable.end();
    });
    expected.insert(expected.end(), n.notInTable.begin(), n.notInTable.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Lines(notice.days), expected);

    // As published: full-width punctuation, in UTF-8 with a byte-order mark, and in GBK.
    const std::string published = FullWidth(text);
    for (const std::string& form : {published, "\xEF\xBB\xBF" + published, tongshu::cp936::FromUtf8(published)})
      EXPECT_EQ(Lines(ParseHolidayNotice(form).days), Lines(notice.days));
  }
}

// A text cut short anywhere, inside a character too, is refused, or still
// holds every day: it never yields part of a year's schedule.
TEST(HolidayNotice, ATruncatedNoticeIsNeverReadAsPartOfTheYear) {
  for (const int year : {2012, 2024, 2026}) {
    const std::string text = Notice(year);
    const std::vector<std::string> whole = Lines(ParseHolidayNotice(text).days);
    int refused = 0;
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
      try {
        EXPECT_EQ(Lines(ParseHolidayNotice(text.substr(0, cut)).days), whole) << year << " cut at " << cut;
      } catch (const HolidayNoticeError&) {
        ++refused;
      }
    }
    EXPECT_GT(refused, 0) << year;
  }
}

TEST(HolidayNotice, WordingsAndDamagedTexts) {
  const std::string title = "国务院办公厅关于2023年部分节假日安排的通知\n";
  const std::string end = "\n节假日期间，各地区要妥善安排好值班工作。\n";
  const std::pair<std::string, std::string> cases[] = {
      // A range across the new year, and a working day named with a bare day.
      {title + "一、元旦：2022年12月31日至2023年1月2日放假调休，共3天。" + end,
       "2022-12-31 休 元旦|2023-01-01 休 元旦|2023-01-02 休 元旦"},
      {title + "二、春节：1月21日至27日放假调休，共7天。1月28日（星期六）、29日（星期日）上班。" + end,
       "2023-01-21 休 春节|2023-01-22 休 春节|2023-01-23 休 春节|2023-01-24 休 春节|2023-01-25 休 春节|"
       "2023-01-26 休 春节|2023-01-27 休 春节|2023-01-28 班 春节|2023-01-29 班 春节"},
      // A joint item: 中秋 on its own day, the rest 国庆节; a sentence wrapped over two lines.
      {title + "六、中秋节、国庆节：9月29日至10月6日放假调休，共8天。10月7日（星期六）、\n10月8日（星期日）上班。" + end,
       "2023-09-29 休 中秋|2023-09-30 休 国庆节|2023-10-01 休 国庆节|2023-10-02 休 国庆节|2023-10-03 休 国庆节|"
       "2023-10-04 休 国庆节|2023-10-05 休 国庆节|2023-10-06 休 国庆节|2023-10-07 班 国庆节|2023-10-08 班 国庆节"},
      // Full-width digits, and a heading on its own line.
      {title + "三、清明节：\n４月５日放假，与周末连休。" + end, "2023-04-05 休 清明"},
      // Refused: no year, no day, a text cut short.
      {"各省、自治区：\n一、元旦：1月1日放假。" + end, "找不到通知的年份"},
      {title + "经国务院批准，特此通知。\n", "找不到放假或上班的日子"},
      {title + "现将2023年元旦、春节放假调休日期的具体安排通知如下。\n一、元旦：1月2日放假。" + end,
       "提到的春节没有安排"},
      {title + "一、元旦：1月1日放假。\n二、春节：1月21日至27日放假调休，共7天。", "在“春节”一项之后就断了"},
      {title + "二、春节：1月21日至27日放假调休，共7天。1月28日（星期\xE5\x85", "在“春节”一项之后就断了"},  // inside a character
      {title + "二、春节：1月21日至27日放假调休，共7天。1月28日（星期六。" + end, "“春节”一项没有写完"},
      {title + "二、春节：1月21日至放假调休。" + end, "“至”后面没有日期"},
      {title + "二、春节：1月21日至27日放假调休，共8天。" + end, "写着共 8 天，列出的却是 7 天"},
      {title + "二、春节：2月30日放假。" + end, "2023年2月30日不存在"},
      {title + "二、春节：1月27日至21日放假。" + end, "不是一段假期"},
      {title + "二、春节：2024年1月21日放假。" + end, "2024-01-21 不在 2023 年"},
      {title + "一、元旦：1月2日放假。\n二、春节：1月2日上班。" + end, "2023-01-02 在通知里出现了两次"},
  };
  for (const auto& [text, expected] : cases) {
    std::string got;
    try {
      for (const std::string& line : Lines(ParseHolidayNotice(text).days)) got += (got.empty() ? "" : "|") + line;
    } catch (const HolidayNoticeError& e) {
      got = e.what();
    }
    EXPECT_NE(got.find(expected), std::string::npos) << text << "\n→ " << got;
  }
  // A GBK text that is not a notice at all.
  EXPECT_NE(Refusal(tongshu::cp936::FromUtf8("这不是通知。")).find("找不到通知的年份"), std::string::npos);
}

}  // namespace

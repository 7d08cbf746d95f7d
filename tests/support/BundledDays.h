#pragma once
// Days of the bundled almanac (KorBirth.dll) that many tests look up.
namespace tongshu::testing {

// The overview lines (column `nn`) as data/huangdao.tsv.gz holds them: the
// almanac library's text, written by tools/almanac-data (data/README.md shows
// the whole 2011-03-05 row). The lunar date and zodiac year at their start
// are checked against the calendar engine for every day of the range
// (tests/calendar/AlmanacCrossCheckTest.cpp); 2011-03-05 was a Saturday and
// 2012-02-29 a Wednesday.
inline constexpr char kOverview20110305[] = "农历二月初一 兔年 星期六 玉堂黄道 执日 女土蝠";
inline constexpr char kOverview20120229[] = "农历二月初八 龙年 星期三 天牢黑道 破日 箕水豹";

}  // namespace tongshu::testing

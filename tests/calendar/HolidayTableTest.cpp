// The public-holiday table: its form, line by line, and the years it covers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/Holidays.h"
#include "tests/calendar/TestDates.h"

namespace {

using tongshu::calendar::Holidays;
using tongshu::calendar::HolidayTableError;
using tongshu::calendar::testing::D;

int BadLine(const std::string& table) {
  try {
    Holidays::Parse(table);
  } catch (const HolidayTableError& e) {
    return e.line();
  }
  return -1;
}

TEST(PublicHolidays, TheFirstLineNotInTheFormIsNamed) {
  const std::string header = "date\tkind\tname\n";
  const std::pair<std::string, int> cases[] = {
      {"", 0},
      {"date\tkind\n", 1},
      {header + "2024-02-10\t假\t春节\n", 2},
      {header + "2024-02-30\t休\t春节\n", 2},
      {header + "2024-02-10\t休\t\n", 2},
      {header + "2024-02-10\t休春节\n", 2},
      {header + "2024-02-10\t休\t春节\n2024-02-11\t休\t春节\n2024-02-10\t班\t春节\n", 4},  // a day twice
      {header + "2024-02-10\t休\t春节\r\n2024-02-18\t班\t春节", -1},  // CRLF, no final newline
  };
  for (const auto& [table, line] : cases) EXPECT_EQ(BadLine(table), line) << table;
}

TEST(PublicHolidays, DaysAndUncoveredYears) {
  const Holidays h = Holidays::Parse("date\tkind\tname\n2004-01-01\t休\t元旦\n2026-01-04\t班\t元旦\n");
  ASSERT_NE(h.find(std::chrono::sys_days{D(2026, 1, 4)}), nullptr);
  EXPECT_EQ(h.find(std::chrono::sys_days{D(2026, 1, 4)})->kind, "班");
  EXPECT_EQ(h.find(std::chrono::sys_days{D(2026, 1, 5)}), nullptr);
  const auto spans = [&](const Holidays& table, int from, int to) {
    std::vector<std::pair<int, int>> out;
    for (const auto& s : table.uncoveredYears(from, to)) out.emplace_back(s.first, s.last);
    return out;
  };
  // A year is covered when the table has days in it.
  EXPECT_EQ(spans(h, 2003, 2027), (std::vector<std::pair<int, int>>{{2003, 2003}, {2005, 2025}, {2027, 2027}}));
  EXPECT_EQ(spans(h, 1990, 2005), (std::vector<std::pair<int, int>>{{1990, 2003}, {2005, 2005}}));
  EXPECT_TRUE(spans(h, 2004, 2004).empty());
  EXPECT_TRUE(spans(h, 2026, 2026).empty());
  EXPECT_EQ(spans(Holidays::Parse("date\tkind\tname\n"), 2027, 2028), (std::vector<std::pair<int, int>>{{2027, 2028}}));
}

}  // namespace

#pragma once
// The statements the program runs, parsed: SELECT [TOP n] * | col, ... FROM
// table WHERE col = literal, keywords in any case, an optional final `;`.
// The literal is a #Y-M-D# date, a quoted text ('' inside for a quote) or a
// number. Everything else is refused rather than guessed at.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::db {

struct Literal {
  enum class Kind { Date, Text, Number };
  Kind kind = Kind::Text;
  std::string text;        // Text: the value, quotes removed
  double number = 0;       // Number: its value
  std::int64_t daySerial = 0;  // Date: days since 1899-12-30
  std::string source;      // as written, for messages
};

struct SelectStatement {
  std::optional<std::int64_t> top;
  std::vector<std::string> columns;  // empty for *
  std::string table;
  std::string whereColumn;
  Literal value;
};

// Throws DbError "不支持的查询语句..." naming the statement and the reason.
SelectStatement ParseSelect(std::string_view sql);

// Days since 1899-12-30 of a proleptic Gregorian date; nullopt when the date
// does not exist or the year is outside 100..9999.
std::optional<std::int64_t> DaySerialOf(int year, int month, int day);

}  // namespace tongshu::db

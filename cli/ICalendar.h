#pragma once
// iCalendar (RFC 5545) output of all-day events: CRLF line ends, content
// lines folded at 75 octets without splitting a UTF-8 character, TEXT values
// escaped. The same events give the same bytes.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::cli {

// YYYYMMDD, the form of a DATE value.
std::string BasicDate(std::chrono::sys_days day);

// A TEXT value: backslash, semicolon and comma escaped, a line break as \n.
std::string EscapeText(std::string_view text);

// Appends one content line, folded, with its CRLF.
void AppendContentLine(std::string& out, std::string_view line);

struct AllDayEvent {
  std::chrono::sys_days day;
  std::string uid;          // stable: the same item always has the same one
  std::string summary;      // plain texts, escaped when written
  std::string description;  // may be empty
  std::string category;     // may be empty
};

// The calendar object around the events, in their given order.
std::string CalendarText(std::string_view name, const std::vector<AllDayEvent>& events);

}  // namespace tongshu::cli

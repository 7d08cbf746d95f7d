#include "cli/ICalendar.h"

#include <algorithm>

#include "cli/Dates.h"

namespace tongshu::cli {
namespace {

constexpr std::size_t kFoldOctets = 75;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string BasicDate(std::chrono::sys_days day) {
  std::string iso = IsoDate(Date{day});
  iso.erase(std::remove(iso.begin(), iso.end(), '-'), iso.end());
  return iso;
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ';': out += "\\;"; break;
      case ',': out += "\\,"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      default:
        // Other control characters are not allowed in TEXT.
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out.push_back(c);
        else if (c == '\t') out.push_back(' ');
    }
  }
  return out;
}

void AppendContentLine(std::string& out, std::string_view line) {
  // The first physical line holds 75 octets, each continuation a blank and 74.
  std::size_t room = kFoldOctets;
  while (line.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    out.append(line.substr(0, cut)).append("\r\n ");
    line.remove_prefix(cut);
    room = kFoldOctets - 1;
  }
  out.append(line).append("\r\n");
}

std::string CalendarText(std::string_view name, const std::vector<AllDayEvent>& events) {
  std::string out;
  out.reserve(events.size() * 220 + 256);
  const auto line = [&](std::string_view text) { AppendContentLine(out, text); };
  const auto property = [&](std::string_view key, std::string_view value) {
    std::string text(key);
    text.push_back(':');
    text += EscapeText(value);
    AppendContentLine(out, text);
  };
  line("BEGIN:VCALENDAR");
  line("VERSION:2.0");
  line("PRODID:-//tongshu//tongshu-cli 1.0//ZH");
  line("CALSCALE:GREGORIAN");
  line("METHOD:PUBLISH");
  property("NAME", name);
  property("X-WR-CALNAME", name);
  for (const AllDayEvent& e : events) {
    const std::string start = BasicDate(e.day);
    line("BEGIN:VEVENT");
    property("UID", e.uid);
    // A fixed stamp keeps the bytes of a request the same from run to run.
    line("DTSTAMP:" + start + "T000000Z");
    line("DTSTART;VALUE=DATE:" + start);
    line("DTEND;VALUE=DATE:" + BasicDate(e.day + std::chrono::days{1}));
    property("SUMMARY", e.summary);
    if (!e.description.empty()) property("DESCRIPTION", e.description);
    if (!e.category.empty()) property("CATEGORIES", e.category);
    line("TRANSP:TRANSPARENT");
    line("END:VEVENT");
  }
  line("END:VCALENDAR");
  return out;
}

}  // namespace tongshu::cli

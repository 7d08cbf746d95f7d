#include "calendar/HolidayNotice.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "calendar/LunarCalendar.h"
#include "text/Cp936.h"
#include "text/Utf8.h"

namespace tongshu::calendar {
namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;
using Text = std::u32string;
using View = std::u32string_view;

std::string Utf8(View text) {
  std::string out;
  for (const char32_t c : text) AppendUtf8(out, c);
  return out;
}

std::string Iso(sys_days day) {
  const year_month_day d{day};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                static_cast<unsigned>(d.day()));
  return text;
}

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\r' || c == U'\v' || c == U'\f' || c == 0xA0 || c == 0x3000 ||
         c == 0xFEFF || (c >= 0x2000 && c <= 0x200B);
}

// UTF-8 text, its last character perhaps cut short (it is then dropped, so
// that a cut text is refused for what it lacks, not read as GBK), or else GBK.
std::string AsUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  for (std::size_t cut = 1; cut <= 3 && cut < bytes.size(); ++cut) {
    const auto lead = static_cast<unsigned char>(bytes[bytes.size() - cut]);
    if (lead >= 0xC2 && lead <= 0xF4 && IsValidUtf8(bytes.substr(0, bytes.size() - cut)))
      return std::string(bytes.substr(0, bytes.size() - cut));
  }
  return cp936::ToUtf8(bytes);
}

// The text as code points, one entry a line, full-width forms folded to ASCII
// (notices are published with ，：（） and copies often fold them) and blanks
// dropped: none matters in Chinese prose, and copies scatter them.
std::vector<Text> NormalisedLines(std::string_view bytes) {
  const std::string utf8 = AsUtf8(bytes);
  std::vector<Text> lines(1);
  for (std::size_t i = 0; i < utf8.size();) {
    const std::string_view rest = std::string_view(utf8).substr(i);
    const std::size_t n = std::max<std::size_t>(Utf8SequenceLength(rest), 1);
    char32_t c = DecodeUtf8Sequence(rest, n);
    i += n;
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
    if (c == U'\n')
      lines.emplace_back();
    else if (!IsBlank(c))
      lines.back().push_back(c);
  }
  return lines;
}

struct Number {
  int value = 0, digits = 0;
};

// The run of digits at i (at most four), i moved past it.
std::optional<Number> ReadNumber(View s, std::size_t& i) {
  Number n;
  while (i < s.size() && IsDigit(s[i])) {
    if (++n.digits > 4) return std::nullopt;
    n.value = n.value * 10 + static_cast<int>(s[i++] - U'0');
  }
  return n.digits > 0 ? std::optional(n) : std::nullopt;
}

// "2011年12月31日", "1月29日" or "24日" at i.
struct DateParts {
  std::optional<int> year, month;
  int day = 0;
  std::size_t end = 0;
};

std::optional<DateParts> ReadDate(View s, std::size_t i) {
  DateParts p;
  auto n = ReadNumber(s, i);
  if (n && i < s.size() && s[i] == U'年') {
    if (n->digits != 4) return std::nullopt;
    p.year = n->value;
    n = ReadNumber(s, ++i);
  }
  if (n && i < s.size() && s[i] == U'月') {
    p.month = n->value;
    n = ReadNumber(s, ++i);
  }
  if (!n || i >= s.size() || s[i] != U'日') return std::nullopt;
  p.day = n->value;
  p.end = i + 1;
  return p;
}

// What a holiday is called in the table.
std::string TableName(View name) {
  if (name == U"清明节") return "清明";
  if (name == U"端午节") return "端午";
  if (name == U"中秋节") return "中秋";
  return Utf8(name);
}

struct OwnDay {
  std::string_view name;
  unsigned month, day;
  bool lunar;
};
// Fixed dates first: 1 October stays 国庆节's when 中秋 falls on it (2020).
constexpr std::array<OwnDay, 6> kOwnDays{{{"元旦", 1, 1, false},
                                          {"劳动节", 5, 1, false},
                                          {"国庆节", 10, 1, false},
                                          {"春节", 1, 1, true},
                                          {"端午", 5, 5, true},
                                          {"中秋", 8, 15, true}}};

// A joint item ("中秋节、国庆节：…") names each day after the holiday whose own
// day it is, and every other day after its holiday of a fixed date (else its
// first), as the holiday table does.
std::string NameOf(const std::vector<std::string>& names, sys_days day) {
  if (names.size() == 1) return names.front();
  const year_month_day date{day};
  const int lunar = LunarDateOf(date);
  const auto named = [&](std::string_view n) { return std::find(names.begin(), names.end(), n) != names.end(); };
  for (const OwnDay& o : kOwnDays) {
    const bool own = o.lunar ? lunar == static_cast<int>(o.month * 100 + o.day)
                             : static_cast<unsigned>(date.month()) == o.month && static_cast<unsigned>(date.day()) == o.day;
    if (own && named(o.name)) return std::string(o.name);
  }
  for (const OwnDay& o : kOwnDays)
    if (!o.lunar && named(o.name)) return std::string(o.name);
  return names.front();
}

std::vector<View> Split(View text, View separators) {
  std::vector<View> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || separators.find(text[i]) != View::npos) {
      if (i > start) parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

struct Item {
  Text heading;                    // "中秋节、国庆节"
  std::vector<std::string> names;  // as the table calls them
  Text body;
};

// The heading of an item line ("二、春节：…", "2.春节:…", "——春节：…"): its
// holiday names and where its text starts.
std::optional<std::pair<View, std::size_t>> Heading(View line) {
  static constexpr View kNumerals = U"一二三四五六七八九十";
  std::size_t i = 0;
  if (line.starts_with(U"——")) {
    i = 2;
  } else {
    while (i < line.size() && (kNumerals.find(line[i]) != View::npos || IsDigit(line[i]))) ++i;
    if (i == 0 || i >= line.size() || (line[i] != U'、' && line[i] != U'.')) return std::nullopt;
    ++i;
  }
  const std::size_t colon = line.find(U':', i);
  if (colon == View::npos || colon == i || colon - i > 40) return std::nullopt;
  const View names = line.substr(i, colon - i);
  if (names.find_first_of(U"。,;()") != View::npos) return std::nullopt;
  return std::pair{names, colon + 1};
}

// The pieces of a line: each sentence with its "。", and what follows the last.
std::vector<View> Pieces(View line) {
  std::vector<View> pieces;
  for (std::size_t start = 0; start < line.size();) {
    const std::size_t stop = line.find(U'。', start);
    const std::size_t end = stop == View::npos ? line.size() : stop + 1;
    pieces.push_back(line.substr(start, end - start));
    start = end;
  }
  return pieces;
}

// The items. An item goes on while its text is unfinished (a sentence wrapped
// onto the next line) or the next sentence starts with a number, as its dates
// do; anything else ends it. A notice ends with a closing paragraph and its signature, so text
// that stops within its last item has lost its end.
std::vector<Item> Items(const std::vector<Text>& lines) {
  std::vector<Item> items;
  bool open = false;
  for (const Text& line : lines) {
    for (const View piece : Pieces(line)) {
      if (const auto heading = Heading(piece)) {
        Item item{Text(heading->first), {}, Text(piece.substr(heading->second))};
        for (const View name : Split(heading->first, U"、")) item.names.push_back(TableName(name));
        items.push_back(std::move(item));
        open = true;
        continue;
      }
      if (!open) continue;
      Text& body = items.back().body;
      if (body.empty() || body.back() != U'。' || IsDigit(piece.front()))
        body += piece;
      else
        open = false;
    }
  }
  if (open) throw HolidayNoticeError("通知在“" + Utf8(items.back().heading) + "”一项之后就断了，文字不全？");
  return items;
}

// The text without its bracketed notes ("（星期日）", "（农历腊月二十八、周日）",
// "（2月9日）"); nothing when a bracket is left open.
std::optional<Text> WithoutNotes(View text) {
  Text out;
  int depth = 0;
  for (const char32_t c : text) {
    if (c == U'(') {
      ++depth;
    } else if (c == U')') {
      if (depth > 0) --depth;
    } else if (depth == 0) {
      out.push_back(c);
    }
  }
  if (depth != 0) return std::nullopt;
  return out;
}

class ItemReader {
 public:
  ItemReader(const Item& item, int year, std::map<sys_days, PublicHoliday>& days)
      : item_(item), year_(year), days_(days), label_("“" + Utf8(item.heading) + "”一项") {}

  void read() {
    const auto body = WithoutNotes(item_.body);
    if (!body || body->empty() || body->back() != U'。') fail("没有写完，文字不全？");
    for (const View sentence : Split(*body, U"。;")) readSentence(sentence);
  }

 private:
  [[noreturn]] void fail(const std::string& what) const { throw HolidayNoticeError(label_ + what); }

  void readSentence(View sentence) {
    std::set<sys_days> off;
    for (const View clause : Split(sentence, U",")) {
      std::size_t pos = 0;
      while (true) {
        // The first of the words that say what the dates before it are.
        static constexpr std::array<std::pair<View, std::string_view>, 3> kWords{
            {{U"放假", "休"}, {U"补休", "休"}, {U"上班", "班"}}};
        std::size_t at = View::npos;
        std::string_view kind;
        for (const auto& [word, k] : kWords) {
          if (const std::size_t found = clause.find(word, pos); found < at) {
            at = found;
            kind = k;
          }
        }
        if (at == View::npos) break;
        for (const sys_days day : daysIn(clause.substr(pos, at - pos))) {
          add(day, kind);
          if (kind == "休") off.insert(day);
        }
        pos = at + 2;
      }
    }
    if (const auto total = DayCount(sentence); total && !off.empty() && *total != static_cast<int>(off.size()))
      fail("写着共 " + std::to_string(*total) + " 天，列出的却是 " + std::to_string(off.size()) + " 天");
  }

  // "共8天" in a sentence.
  static std::optional<int> DayCount(View sentence) {
    for (std::size_t at = sentence.find(U'共'); at != View::npos; at = sentence.find(U'共', at + 1)) {
      std::size_t i = at + 1;
      const auto n = ReadNumber(sentence, i);
      if (n && i < sentence.size() && sentence[i] == U'天') return n->value;
    }
    return std::nullopt;
  }

  year_month_day complete(const DateParts& p, const year_month_day& context) const {
    const year_month_day date{std::chrono::year{p.year.value_or(static_cast<int>(context.year()))},
                              p.month ? std::chrono::month{static_cast<unsigned>(*p.month)} : context.month(),
                              std::chrono::day{static_cast<unsigned>(p.day)}};
    if (!date.ok())
      fail("的日期" + std::to_string(static_cast<int>(date.year())) + "年" +
           std::to_string(static_cast<unsigned>(date.month())) + "月" + std::to_string(p.day) + "日不存在");
    return date;
  }

  // The days of "1月22日至28日", "2月4日、2月18日", "2022年12月31日至2023年1月2日":
  // a date without a year is in the notice's year, one without a month in
  // the month of the date before it.
  std::vector<sys_days> daysIn(View text) const {
    std::vector<sys_days> days;
    std::optional<year_month_day> last;
    for (std::size_t i = 0; i < text.size();) {
      const auto p = (i == 0 || !IsDigit(text[i - 1])) ? ReadDate(text, i) : std::nullopt;
      if (!p || (!p->month && !(last && i > 0 && text[i - 1] == U'、'))) {
        i = p ? p->end : i + 1;
        continue;
      }
      const year_month_day start = complete(*p, last.value_or(std::chrono::year{year_} / 1 / 1));
      year_month_day end = start;
      i = p->end;
      if (i < text.size() && text[i] == U'至') {
        const auto q = ReadDate(text, i + 1);
        if (!q) fail("的“至”后面没有日期");
        end = complete(*q, start);
        i = q->end;
        if (sys_days{end} <= sys_days{start} || sys_days{end} - sys_days{start} > std::chrono::days{31})
          fail("的 " + Iso(sys_days{start}) + " 至 " + Iso(sys_days{end}) + " 不是一段假期");
      }
      for (sys_days d{start}; d <= sys_days{end}; d += std::chrono::days{1}) days.push_back(d);
      last = end;
    }
    return days;
  }

  void add(sys_days day, std::string_view kind) {
    PublicHoliday holiday{std::string(kind), NameOf(item_.names, day)};
    if (ScheduleYearOf(day, holiday.name) != year_) fail("的 " + Iso(day) + " 不在 " + std::to_string(year_) + " 年");
    const auto [it, added] = days_.emplace(day, holiday);
    if (!added && it->second != holiday)
      throw HolidayNoticeError(Iso(day) + " 在通知里出现了两次：" + it->second.name + it->second.kind + "，又是" +
                               holiday.name + holiday.kind);
  }

  const Item& item_;
  int year_;
  std::map<sys_days, PublicHoliday>& days_;
  std::string label_;
};

// The year after "关于" in the title ("国务院办公厅关于2024年部分节假日安排的通知"),
// else the year of the opening sentence ("现将2024年元旦、春节……").
std::optional<int> NoticeYear(View text) {
  for (const auto& [before, check] : {std::pair<View, View>{U"关于", U"节假日"}, {U"现将", U""}}) {
    for (std::size_t at = text.find(before); at != View::npos; at = text.find(before, at + 1)) {
      std::size_t i = at + before.size();
      const auto n = ReadNumber(text, i);
      if (n && n->digits == 4 && i < text.size() && text[i] == U'年' &&
          text.substr(i + 1, 8).find(check) != View::npos)
        return n->value;
    }
  }
  return std::nullopt;
}

// The holidays the opening sentence announces ("现将2024年元旦、春节、……和国庆节
// 放假调休日期的具体安排通知如下"), when the text has one.
std::vector<View> AnnouncedNames(View text) {
  const std::size_t at = text.find(U"现将");
  if (at == View::npos) return {};
  std::size_t i = at + 2, j = i;
  if (ReadNumber(text, j) && j < text.size() && text[j] == U'年') i = j + 1;
  const std::size_t end = text.find(U"放假", i);
  if (end == View::npos || end - i > 80) return {};
  return Split(text.substr(i, end - i), U"、和");
}

}  // namespace

HolidayNotice ParseHolidayNotice(std::string_view text) {
  const std::vector<Text> lines = NormalisedLines(text);
  Text joined;
  for (const Text& line : lines) joined += line;
  const auto year = NoticeYear(joined);
  if (!year) throw HolidayNoticeError("找不到通知的年份（标题应是“国务院办公厅关于YYYY年部分节假日安排的通知”）");

  const std::vector<Item> items = Items(lines);
  std::string missing;
  for (const View name : AnnouncedNames(joined)) {
    const bool found = std::any_of(items.begin(), items.end(), [&](const Item& item) {
      const auto names = Split(item.heading, U"、");
      return std::find(names.begin(), names.end(), name) != names.end();
    });
    if (!found) missing += (missing.empty() ? "" : "、") + Utf8(name);
  }
  if (!missing.empty()) throw HolidayNoticeError("通知开头提到的" + missing + "没有安排，文字不全？");

  std::map<sys_days, PublicHoliday> days;
  for (const Item& item : items) ItemReader(item, *year, days).read();
  if (days.empty()) throw HolidayNoticeError("通知里找不到放假或上班的日子");

  HolidayNotice notice;
  notice.year = *year;
  for (auto& [day, holiday] : days) notice.days.push_back({day, std::move(holiday)});
  return notice;
}

}  // namespace tongshu::calendar

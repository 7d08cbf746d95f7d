// ics: solar terms, festivals, lunar dates, public holidays, the almanac's
// 宜 and 忌 and lunar birthdays of a range as an iCalendar file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "almanac/HuangdaoLookup.h"
#include "calendar/CalendarAnnotations.h"
#include "calendar/LunarBirthday.h"
#include "calendar/LunarCalendar.h"
#include "calendar/LunarToSolar.h"
#include "cli/AlmanacRows.h"
#include "cli/Commands.h"
#include "cli/Dates.h"
#include "cli/HolidayFile.h"
#include "cli/ICalendar.h"

namespace tongshu::cli {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr std::string_view kCalendarName = "吉星通书";
constexpr std::string_view kDefaultWith = "terms,festivals,holidays";

struct Parts {
  bool terms = false, festivals = false, lunar = false, holidays = false, almanac = false;
};

Parts ParseWith(std::string_view list) {
  Parts parts;
  const std::pair<std::string_view, bool Parts::*> names[] = {{"terms", &Parts::terms},
                                                              {"festivals", &Parts::festivals},
                                                              {"lunar", &Parts::lunar},
                                                              {"holidays", &Parts::holidays},
                                                              {"almanac", &Parts::almanac}};
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    const auto* known = std::find_if(std::begin(names), std::end(names), [&](const auto& n) { return n.first == item; });
    if (known == std::end(names))
      throw InputError("tongshu-cli ics: --with takes terms, festivals, lunar, holidays and almanac, not '" +
                       std::string(item) + "' (see tongshu-cli ics --help)");
    parts.*known->second = true;
    if (comma == std::string_view::npos) return parts;
    list.remove_prefix(comma + 1);
  }
}

struct Birthday {
  calendar::LunarDate date;
  std::string given;  // as the user typed it
  std::string name;
};

std::string Uid(std::string_view kind, sys_days day) {
  return std::string(kind) + "-" + BasicDate(day) + "@tongshu-cli";
}

// FNV-1a: a short, fixed name for a birthday's UIDs.
std::string Fingerprint(std::string_view text) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

// Why a birthday falls where it does, when a rule moved it.
std::string BirthdayNote(const calendar::LunarDate& birthday, const calendar::BirthdayDay& day) {
  std::string note;
  if (day.ordinaryMonth)
    note = "这一年没有" + calendar::LunarMonthText(birthday) + "，按" + calendar::LunarDateText(day.date) + "过";
  if (day.shortMonth) note += std::string(note.empty() ? "" : "；") + "这个月只有二十九天，按廿九过";
  return note;
}

std::vector<Birthday> Birthdays(const CommandLine& line) {
  const std::vector<std::string> givenDates = line.all("birthday");
  const std::vector<std::string> names = line.all("name");
  if (givenDates.size() != names.size())
    throw InputError("tongshu-cli ics: every --birthday needs its --name (see tongshu-cli ics --help)");
  std::vector<Birthday> birthdays;
  for (std::size_t i = 0; i < givenDates.size(); ++i) {
    // M-D or as spoken (三月初五, 闰六月三十); a birthday has no year.
    const std::string_view given = almanac::TrimLow(givenDates[i]);
    std::optional<calendar::LunarDate> date = calendar::ParseLunarDateText(given);
    if (const auto spoken = calendar::ParseWrittenLunarDate(given); !date && spoken && !spoken->year) date = spoken->date;
    if (!date)
      throw InputError("农历生日应写作 月-日、闰月-日 或 三月初五、闰六月三十（如 3-5、闰4-5），不是“" + givenDates[i] +
                       "”!");
    RequireUtf8(names[i]);
    const std::string_view name = almanac::TrimLow(names[i]);
    if (name.empty()) throw InputError("请输入生日的名字!");
    // The same person's same birthday given twice is one event, not two with one UID.
    const bool again = std::any_of(birthdays.begin(), birthdays.end(),
                                   [&](const Birthday& b) { return b.date == *date && b.name == name; });
    if (!again) birthdays.push_back({*date, givenDates[i], std::string(name)});
  }
  return birthdays;
}

// "正月初一", "闰四月初一"; empty outside the calendar's range.
std::string LunarDayText(const Date& date) {
  const auto lunar = calendar::ToLunar(date);
  return lunar ? calendar::LunarDateText(*lunar) : std::string();
}

void AddDayEvents(std::vector<AllDayEvent>& events, sys_days day, const Parts& parts, const calendar::Holidays* holidays) {
  const Date date{day};
  if (parts.terms) {
    if (std::string term = calendar::SolarTermOf(date); !term.empty())
      events.push_back({day, Uid("term", day), std::move(term), "", "节气"});
  }
  if (parts.festivals) {
    if (std::string festival = calendar::LunarFestivalOf(date); !festival.empty())
      events.push_back({day, Uid("lunar-festival", day), std::move(festival), "", "节日"});
    if (std::string festival = calendar::HolidayOf(static_cast<int>(static_cast<unsigned>(date.day())), date);
        !festival.empty())
      events.push_back({day, Uid("festival", day), std::move(festival), "", "节日"});
  }
  if (parts.lunar) events.push_back({day, Uid("lunar", day), LunarDayText(date), "", "农历"});
  if (holidays) {
    if (const calendar::PublicHoliday* h = holidays->find(day)) {
      const bool off = h->kind == "休";
      events.push_back({day, Uid("holiday", day), h->name + " " + h->kind, off ? "法定节假日" : "调休上班", "节假日"});
    }
  }
}

}  // namespace

int IcsCommand(const CommandLine& line, Context& ctx) {
  if (!line.positional.empty())
    throw InputError("tongshu-cli ics: takes no argument, only options (see tongshu-cli ics --help)");
  const DateRange range = RangeOptions("ics", line);
  RequireDataRange(range);
  const Parts parts = ParseWith(line.value("with").value_or(std::string(kDefaultWith)));
  const std::vector<Birthday> birthdays = Birthdays(line);

  std::optional<calendar::Holidays> holidays;
  if (parts.holidays) {
    holidays = LoadOverlaidHolidays(ctx.dataDir);
    if (const std::string note = UncoveredNote(*holidays, range.first, range.last); !note.empty())
      ctx.err << note << '\n';
  }

  std::vector<AllDayEvent> events;
  for (sys_days day = range.first; day <= range.last; day += days{1})
    AddDayEvents(events, day, parts, holidays ? &*holidays : nullptr);
  if (parts.almanac) {
    ForEachAlmanacDay(ctx.database, ctx.dataDir, range, [&](sys_days day, const almanac::AlmanacDayTexts& row) {
      const almanac::HuangdaoOverview o = almanac::ParseOverview(row.nn);
      events.push_back({day, Uid("almanac", day), "黄历 " + std::string(o.dayStar) + " " + std::string(o.officer),
                        "宜：" + std::string(almanac::TrimLow(row.yi)) + "\n忌：" +
                            std::string(almanac::TrimLow(row.ji)),
                        "黄历"});
    });
  }
  for (const Birthday& b : birthdays) {
    const std::string dateText = calendar::LunarDateText(b.date);
    const std::string kind = "birthday-" + Fingerprint(b.name + '\x1f' + dateText);
    for (const calendar::BirthdayDay& d : calendar::LunarBirthdaysIn(b.date, range.first, range.last))
      events.push_back({d.day, Uid(kind, d.day), b.name + "生日（农历" + dateText + "）",
                        BirthdayNote(b.date, d), "生日"});
  }
  // By day; within a day in the order the parts were added.
  std::stable_sort(events.begin(), events.end(),
                   [](const AllDayEvent& a, const AllDayEvent& b) { return a.day < b.day; });
  const std::string text = CalendarText(kCalendarName, events);
  ctx.out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return kExitOk;
}

}  // namespace tongshu::cli

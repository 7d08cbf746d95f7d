#!/usr/bin/env python3
"""Reads the output of `tongshu-cli ics` with a real iCalendar parser (Debian's
python3-icalendar) and checks line ends, folding, escaping, determinism and
stable UIDs, and that files for 2027 and for 1901-2050 import whole.

    check_ics.py PATH/TO/tongshu-cli
"""
import collections
import datetime
import subprocess
import sys

import icalendar

CLI = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def run(*args):
    done = subprocess.run([CLI, *args], capture_output=True, check=False)
    if done.returncode != 0:
        sys.exit(f"tongshu-cli {' '.join(args)}: status {done.returncode}: {done.stderr.decode(errors='replace')}")
    return done.stdout


def lines_are_sound(data, what):
    """CRLF only, every physical line at most 75 octets and whole UTF-8."""
    check(data.endswith(b"\r\n"), f"{what}: does not end in CRLF")
    physical = data[:-2].split(b"\r\n")
    check(b"\n" not in data.replace(b"\r\n", b"") and b"\r" not in data.replace(b"\r\n", b""),
          f"{what}: a bare CR or LF")
    for number, line in enumerate(physical, 1):
        if not check(len(line) <= 75, f"{what}: line {number} has {len(line)} octets"):
            break
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            check(False, f"{what}: line {number} splits a UTF-8 character")
            break
    return physical


def events_of(data, what):
    lines_are_sound(data, what)
    calendar = icalendar.Calendar.from_ical(data)
    check(str(calendar["VERSION"]) == "2.0", f"{what}: VERSION")
    check(str(calendar["CALSCALE"]) == "GREGORIAN", f"{what}: CALSCALE")
    check(str(calendar["PRODID"]).startswith("-//"), f"{what}: PRODID")
    check(str(calendar["X-WR-CALNAME"]) == "吉星通书", f"{what}: calendar name")
    events = calendar.walk("VEVENT")
    # Every event the text holds came through the parser.
    check(len(events) == data.count(b"\r\nBEGIN:VEVENT\r\n"), f"{what}: parser saw {len(events)} events")
    uids = [str(e["UID"]) for e in events]
    check(len(set(uids)) == len(uids), f"{what}: UIDs repeat")
    for e in events:
        start, end = e.decoded("DTSTART"), e.decoded("DTEND")
        if not check(type(start) is datetime.date and end - start == datetime.timedelta(days=1),
                     f"{what}: {e['UID']} is not one whole day"):
            break
        check(str(e["TRANSP"]) == "TRANSPARENT", f"{what}: {e['UID']} TRANSP")
        check("DTSTAMP" in e, f"{what}: {e['UID']} DTSTAMP")
    return events


def category(event):
    return str(event["CATEGORIES"].cats[0]) if "CATEGORIES" in event else ""


def marks(first, last):
    """Terms, festivals and 休/班 of each day as `tongshu-cli lunar` shows them."""
    counts = collections.Counter()
    text = subprocess.run([CLI, "lunar", "--from", first, "--to", last], capture_output=True,
                          check=True).stdout.decode()
    for line in text.splitlines():
        f = line.split("\t")
        counts["节气"] += bool(f[5])
        counts["节日"] += bool(f[6]) + bool(f[7])
        counts["节假日"] += bool(f[9])
    return counts


# A year with the default parts: every mark `lunar` shows, nothing more.
data_2027 = run("ics", "--from", "2027-01-01", "--to", "2027-12-31")
events_2027 = events_of(data_2027, "2027")
by_kind = collections.Counter(category(e) for e in events_2027)
expected = marks("2027-01-01", "2027-12-31")
check(by_kind == +expected, f"2027: {dict(by_kind)} against lunar's {dict(expected)}")
check(by_kind["节气"] == 24, "2027: 24 solar terms")
print(f"2027 default: {len(events_2027)} events ({', '.join(f'{k} {n}' for k, n in sorted(by_kind.items()))})")

# Determinism: the same request gives the same bytes.
check(run("ics", "--from", "2027-01-01", "--to", "2027-12-31") == data_2027, "2027: a second run differs")

# Stable UIDs: an overlapping range names the shared days' events alike.
overlap = events_of(run("ics", "--from", "2026-07-01", "--to", "2027-06-30"), "2026-07..2027-06")
first_half = {str(e["UID"]): (e.decoded("DTSTART"), str(e["SUMMARY"])) for e in events_2027
              if e.decoded("DTSTART") < datetime.date(2027, 7, 1)}
shared = {str(e["UID"]): (e.decoded("DTSTART"), str(e["SUMMARY"])) for e in overlap
          if e.decoded("DTSTART") >= datetime.date(2027, 1, 1)}
check(first_half == shared, "overlapping ranges give different UIDs or texts for the same events")

# Texts that need escaping and folding come back as given.
tricky = "A,B;C\\D\n第二行"
long_name = "欢乐" * 30
data = run("ics", "--from", "2027-01-01", "--to", "2027-12-31", "--with", "lunar,almanac",
           "--birthday", "3-5", "--name", tricky, "--birthday", "闰2-30", "--name", long_name)
events = events_of(data, "2027 lunar, almanac, birthdays")
summaries = collections.defaultdict(list)
for e in events:
    summaries[category(e)].append((e.decoded("DTSTART"), str(e["SUMMARY"]), str(e.get("DESCRIPTION", ""))))
check(len(summaries["农历"]) == 365, "2027: one lunar date a day")
check((datetime.date(2027, 2, 6), "正月初一", "") in summaries["农历"], "2027-02-06 is 正月初一")
check(len(summaries["黄历"]) == 365, "2027: one almanac event a day")
check(all(d.startswith("宜：") and "\n忌：" in d for _, _, d in summaries["黄历"]), "almanac descriptions")
birthdays = sorted(summaries["生日"])
# 2027 has no leap 二月, and its 二月 has 30 days.
check(birthdays[0][:2] == (datetime.date(2027, 4, 6), long_name + "生日（农历闰二月三十）"), f"{birthdays[0][:2]}")
check(birthdays[0][2] == "这一年没有闰二月，按二月三十过", f"ordinary month noted: {birthdays[0][2]}")
check(birthdays[1][:2] == (datetime.date(2027, 4, 11), tricky + "生日（农历三月初五）"), f"{birthdays[1][:2]}")
check(b"SUMMARY:A\\,B\\;C\\\\D\\n" in data, "escaped name in the file")

# The whole range imports whole: every mark of 150 years and one birthday a year.
data = run("ics", "--from", "1901-01-01", "--to", "2050-12-31", "--birthday", "8-15", "--name", "中秋")
events = events_of(data, "1901-2050")
by_kind = collections.Counter(category(e) for e in events)
expected = marks("1901-01-01", "2050-12-31")
expected["生日"] = 150
check(by_kind == +expected, f"1901-2050: {dict(by_kind)} against {dict(expected)}")
print(f"1901-2050 default with one birthday: {len(events)} events")

if failures:
    print("\n".join(failures[:20]), file=sys.stderr)
    sys.exit(1)
print("all checks passed")

#!/usr/bin/python3
"""`ferolune-cli plan` against the calendars `ferolune-cli export` makes of the years its
span touches: every moon-phase day of the span, in order, with the sex, fertile days, exact
return, uncertainty and cycle the calendars show, and its .ics events under the UIDs and on
the days of the calendars' own .ics. The printed list takes one or two pages.

    plan_vs_calendars.py PROGRAM
"""
import csv
import datetime
import os
import subprocess
import sys
import tempfile

from icalendar import Calendar

BIRTH = ["--date", "1990-03-15", "--time", "08:13", "--zone", "-1", "--lon", "19E03", "--lat", "47N30"]
# A birth a week later: its moon-phase day of 2 January 2027 has its fertile days in December.
YEAR_END_BIRTH = ["--date", "1990-03-22"] + BIRTH[2:]
CYCLE = ["--period", "2026-08-03", "--period", "2026-08-31", "--period", "2026-09-29", "--shortest", "25"]
# name, options, from, months, sex filter
CASES = [
    ("across a year end, no cycle", BIRTH, "2026-10-15", 6, "any"),
    ("cycle and an uncertain phase day", BIRTH + CYCLE + ["--uncertainty", "6"], "2027-05-01", 3, "any"),
    ("fertile days across the year end, residence", YEAR_END_BIRTH + CYCLE + ["--residence", "Debrecen"],
     "2026-11-20", 3, "any"),
    ("girls only, from 2 January", YEAR_END_BIRTH + CYCLE, "2027-01-02", 3, "girl"),
    ("boys only, 36 months", BIRTH, "2026-01-01", 36, "boy"),
]
FAILURES = []


def run(program, args, path):
    done = subprocess.run([program, *args, "-o", path], capture_output=True, text=True, timeout=600,
                          env=dict(os.environ, LC_ALL="C.UTF-8"))
    if done.returncode != 0:
        raise SystemExit("%s: exit %d: %s" % (" ".join(args), done.returncode, done.stderr.strip()))


def rows(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def events(path):
    with open(path, "rb") as f:
        found = {}
        for event in Calendar.from_ical(f.read()).walk("VEVENT"):
            found[str(event["UID"])] = (event.decoded("DTSTART"), event.decoded("DTEND"), str(event["SUMMARY"]))
        return found


def check(name, what, got, expected):
    if got != expected:
        FAILURES.append("%s: %s\n  got      %s\n  expected %s" % (name, what, got, expected))


def add_months(day, months):
    month = day.month - 1 + months
    year, month = day.year + month // 12, month % 12 + 1
    for last in (31, 30, 29, 28):
        try:
            return datetime.date(year, month, min(day.day, last))
        except ValueError:
            continue


def expected_rows(days, first, end, sex, cycle):
    """The rows the calendars show: each moon-phase day of the span and the three days before."""
    expected = []
    for date in sorted(d for d in days if first <= d < end and days[d]["class"].startswith("phase-")):
        day = days[date]
        before = [date - datetime.timedelta(n) for n in (3, 2, 1)]
        if any(days[b]["class"] != "fertile" for b in before):
            FAILURES.append("calendar does not mark the three days before %s fertile" % date)
        four = [days[d] for d in before + [date]]
        row = {"phase_day": date.isoformat(), "sex": day["class"][len("phase-"):],
               "fertile_from": before[0].isoformat(), "exact": day["exact"],
               "cycle_overlap": str(sum(d["cycle"] == "fertile" for d in four)) if cycle else "",
               "uncertain": "1" if any(d["uncertain"] for d in four) else "",
               "exact_earliest": day["exact_earliest"], "exact_latest": day["exact_latest"]}
        if sex in ("any", row["sex"]):
            expected.append(row)
    return expected


def main(program):
    with tempfile.TemporaryDirectory() as folder:
        for name, options, start, months, sex in CASES:
            first = datetime.date.fromisoformat(start)
            end = add_months(first, months)
            days, calendar_events = {}, {}
            for year in range((first - datetime.timedelta(3)).year, (end - datetime.timedelta(1)).year + 1):
                for suffix in ("csv", "ics"):
                    run(program, ["export", *options, "--year", str(year)], os.path.join(folder, "c.%s" % suffix))
                for row in rows(os.path.join(folder, "c.csv")):
                    days[datetime.date.fromisoformat(row["date"])] = row
                calendar_events.update(events(os.path.join(folder, "c.ics")))
            span = ["plan", *options, "--from", start, "--months", str(months), "--sex", sex]
            plan = os.path.join(folder, "p")
            for suffix in ("csv", "ics", "pdf"):
                run(program, span, "%s.%s" % (plan, suffix))
            got = rows(plan + ".csv")
            check(name, "rows", got, expected_rows(days, first, end, sex, "--period" in options))
            # Each event stands where the calendar of its year puts the event of its UID.
            plan_events = events(plan + ".ics")
            phase_days = sorted(str(start) for start, _, summary in plan_events.values() if summary.startswith("Hold"))
            check(name, "phase-day events", phase_days, [row["phase_day"] for row in got])
            check(name, "events", {uid: calendar_events.get(uid) for uid in plan_events}, plan_events)
            pages = subprocess.run(["pdfinfo", plan + ".pdf"], capture_output=True, text=True).stdout
            check(name, "pages", any(line.split()[-1] in ("1", "2") for line in pages.splitlines()
                                     if line.startswith("Pages:")), True)
            print("%s: %d rows, %d events" % (name, len(got), len(plan_events)))
    for failure in FAILURES:
        print(failure, file=sys.stderr)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

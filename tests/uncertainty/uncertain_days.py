#!/usr/bin/python3
"""The uncertain days the command line marks with --uncertainty, against an independent
scan minute by minute: the calendar of every birth minute within the range, each from a
run of its own, and a day is uncertain when one of them classes it otherwise than the
given birth minute does.

    uncertain_days.py PROGRAM

Births near the edge of their natal degree must show uncertain days, births far from it
none; without --uncertainty the calendar is the same, with the new columns empty.
"""
import concurrent.futures
import csv
import os
import re
import subprocess
import sys
import tempfile

# name, date, birth time, zone, longitude, latitude, calendar year, ± minutes, uncertain days expected
BIRTHS = [
    # Natal 222.938 at 08:13 and 223.932 at 10:25: the rounded angle reaches the next
    # degree 3 minutes later.
    ("near the edge", "1990-03-15", "08:13", "-1", "19E03", "47N30", "2027", 6, True),
    ("near the edge, residence", "1990-03-15", "10:25", "-1", "19E03", "47N30", "2026", 6, True),
    ("far from the edge", "1988-07-14", "09:35", "-2", "19E03", "47N30", "2027", 15, False),
]
OFFSET = re.compile(r"^\d{4}-\d\d-\d\dT\d\d:\d\d[+-]\d\d:\d\d$")


def run(program, args):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "naptar.csv")
        env = dict(os.environ, LC_ALL="C.UTF-8")
        done = subprocess.run([program, "export", *args, "-o", path], capture_output=True, text=True, env=env,
                              timeout=120)
        if done.returncode != 0:
            raise SystemExit("%s: exit %d: %s" % (" ".join(args), done.returncode, done.stderr.strip()))
        with open(path, newline="", encoding="utf-8") as f:
            return list(csv.DictReader(f))


def moved(time, minutes):
    hour, minute = map(int, time.split(":"))
    total = hour * 60 + minute + minutes
    assert 0 <= total < 24 * 60, "the birth minutes must stay within the birth day"
    return "%02d:%02d" % divmod(total, 60)


def check(program, birth, pool):
    name, date, time, zone, lon, lat, year, minutes, expected = birth
    base = ["--date", date, "--zone", zone, "--lon", lon, "--lat", lat, "--year", year]
    if "residence" in name:
        base += ["--residence", "Budapest"]
    uncertain = pool.submit(run, program, base + ["--time", time, "--uncertainty", str(minutes)])
    by_minute = [pool.submit(run, program, base + ["--time", moved(time, m)]) for m in range(-minutes, minutes + 1)]
    rows = uncertain.result()
    plain = by_minute[minutes].result()
    faults = []
    for row, same in zip(rows, plain):
        for column in ("date", "class", "tag", "exact", "moon_sign"):
            if row[column] != same[column]:
                faults.append("%s: %s differs from the plain run" % (row["date"], column))
        if same["uncertain"] or same["exact_earliest"] or same["exact_latest"]:
            faults.append("%s: the plain run fills the new columns" % row["date"])
        for column in ("exact", "exact_earliest", "exact_latest"):
            if row[column] and not OFFSET.match(row[column]):
                faults.append("%s: %s %r has no offset" % (row["date"], column, row[column]))
        if row["class"].startswith("phase") and not (row["exact_earliest"] < row["exact"] < row["exact_latest"]):
            faults.append("%s: range %s .. %s" % (row["date"], row["exact_earliest"], row["exact_latest"]))
    calendars = [future.result() for future in by_minute]
    scanned = {row["date"] for k, row in enumerate(plain)
               if any(calendar[k]["class"] != row["class"] for calendar in calendars)}
    marked = {row["date"] for row in rows if row["uncertain"] == "1"}
    if marked != scanned:
        faults.append("marked %s, the minute scan %s" % (sorted(marked), sorted(scanned)))
    if bool(scanned) != expected:
        faults.append("uncertain days %s, expected %s" % (sorted(scanned), "some" if expected else "none"))
    print("%s: %d uncertain days %s" % (name, len(marked), " ".join(sorted(marked))))
    return ["%s: %s" % (name, fault) for fault in faults]


def main():
    program = sys.argv[1]
    faults = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for birth in BIRTHS:
            faults += check(program, birth, pool)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

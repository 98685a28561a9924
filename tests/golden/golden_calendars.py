#!/usr/bin/python3
"""The calendars of a few hundred random birth data, as the command line writes them,
against the table recorded from an earlier build of the program (golden_calendars.tsv).

    golden_calendars.py PROGRAM check [--every N]   compare (every Nth person only)
    golden_calendars.py PROGRAM record              write the table anew

PROGRAM is the command-line program; its arguments start with "export". Each row of the
table holds the options of one person, the chart lines and angle it prints, the class of
every day of the year (w white, y fertile, b boy, r girl) and the moon-phase days with
their tag, exact return and the Moon's sign. A change in any of them is a change in what
users get, so it must be made on purpose: record the table again and read its diff.
"""
import concurrent.futures
import csv
import os
import random
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TABLE = os.path.join(HERE, "golden_calendars.tsv")
PEOPLE = 240
CLASS_LETTER = {"not-fertile": "w", "fertile": "y", "phase-boy": "b", "phase-girl": "r"}
ZONES = ["-1", "-2", "0", "1", "-5.5", "5", "-9", "-3", "8", "-1.5", "3.5", "-10", "6"]
RESIDENCES = ["Budapest", "Debrecen", "Kolozsvár", "Szeged"]


def people():
    """The same random birth data every time: a fixed seed."""
    rng = random.Random(20261209)
    for n in range(PEOPLE):
        args = [
            "--date", "%04d-%02d-%02d" % (rng.randint(1900, 2015), rng.randint(1, 12), rng.randint(1, 28)),
            "--time", "%02d:%02d" % (rng.randint(0, 23), rng.randint(0, 59)),
            "--zone", rng.choice(ZONES),
            "--lon", "%d%s%02d" % (rng.randint(0, 179), rng.choice("EW"), rng.randint(0, 59)),
            "--lat", "%d%s%02d" % (rng.randint(0, 66), rng.choice("NS"), rng.randint(0, 59)),
            "--year", str(rng.randint(1990, 2045)),
        ]
        if n % 8 == 7:
            args += ["--residence", rng.choice(RESIDENCES)]
        yield args


def calendar_of(program, args):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "naptar.csv")
        env = dict(os.environ, LC_ALL="C.UTF-8")
        run = subprocess.run([program, "export", *args, "-o", path], capture_output=True, text=True,
                             env=env, timeout=120)
        if run.returncode != 0:
            return "exit %d: %s" % (run.returncode, run.stderr.strip().replace("\n", " | "))
        with open(path, newline="", encoding="utf-8") as f:
            rows = list(csv.DictReader(f))
    classes = "".join(CLASS_LETTER.get(row["class"], "?") for row in rows)
    phases = ";".join("%s@%s/%s" % (row["tag"], row["exact"], row["moon_sign"])
                      for row in rows if row["class"] in ("phase-boy", "phase-girl"))
    chart = " | ".join(line.rstrip() for line in run.stdout.strip().splitlines())
    return "\t".join([chart, classes, phases])


def rows_of(program, chosen):
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        results = pool.map(lambda args: calendar_of(program, args), [args for _, args in chosen])
        return [(" ".join(args), result) for (_, args), result in zip(chosen, results)]


def main():
    if len(sys.argv) < 3 or sys.argv[2] not in ("check", "record"):
        sys.exit(__doc__)
    program, mode = sys.argv[1], sys.argv[2]
    every = int(sys.argv[4]) if len(sys.argv) > 4 and sys.argv[3] == "--every" else 1
    everyone = list(enumerate(people()))
    if mode == "record":
        with open(TABLE, "w", encoding="utf-8") as f:
            for args, result in rows_of(program, everyone):
                f.write(args + "\t" + result + "\n")
        return
    with open(TABLE, encoding="utf-8") as f:
        recorded = [line.rstrip("\n").split("\t", 1) for line in f]
    chosen = [person for person in everyone if person[0] % every == 0]
    failures = 0
    for (args, result) in rows_of(program, chosen):
        n = next(i for i, (a, _) in enumerate(recorded) if a == args)
        if recorded[n][1] != result:
            failures += 1
            print("person %d differs: %s\n  recorded: %s\n  now:      %s" % (n, args, recorded[n][1], result))
    print("%d passed, %d failed" % (len(chosen) - failures, failures))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

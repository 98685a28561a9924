"""Reads the program's accessibility tree over AT-SPI: the main window's controls by name,
then, after Enter has started the calendar, the names of the calendar's day cells."""

import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

PID = int(sys.argv[1])
MONTHS = ("január február március április május június július augusztus szeptember október "
          "november december").split()
PHASE_DAY = re.compile(r"^(ma, )?\d{4}\. (%s) \d{1,2}\., holdfázis nap – (fiú|lány), pontos visszatérés "
                       r"(az előző napon, |a következő napon, )?\d\d:\d\d \(UTC[+-]\d+(:\d\d)?\)" % "|".join(MONTHS))
PLAIN_DAY = re.compile(r"^(ma, )?\d{4}\. (%s) \d{1,2}\., (nem )?termékeny nap" % "|".join(MONTHS))


def fail(message):
    print("FAIL:", message)
    if len(sys.argv) > 2:
        dump()
    sys.exit(1)


def application():
    for _ in range(300):
        desktop = Atspi.get_desktop(0)
        for k in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(k)
            if app is not None and app.get_process_id() == PID:
                return app
        time.sleep(0.1)
    fail("the program never showed on the accessibility bus")


def walk(node, depth=0):
    yield node
    if depth > 12:
        return
    for k in range(node.get_child_count()):
        child = node.get_child_at_index(k)
        if child is not None:
            yield from walk(child, depth + 1)


def wait_for(what, find, seconds=120):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.5)
    fail(what)


app = application()
# The main window: every field and button has a name of its own.
wanted = {"Név", "Születési év", "Születési hónap", "Születési nap", "Születési óra", "Születési perc", "Időzóna",
          "Nyári időszámítás", "Földrajzi hosszúság, fok", "Földrajzi szélesség, fok", "A naptár éve",
          "Naptár készítése", "Asztrogram megnyitása", "Születési hely", "Lakóhely", "Mentés", "Ciklus"}
names = wait_for("the main window's controls", lambda: {n.get_name() for n in walk(app)} >= wanted and
                 {n.get_name() for n in walk(app)})
print("main window controls named:", len(wanted & names))

# Enter on the birth year, where start-up leaves the focus, starts the calendar. Without a
# window manager the window is given the keyboard first.
main = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^FEROLUNE"], check=True,
                      capture_output=True, text=True).stdout.split()[0]
subprocess.run(["xdotool", "windowfocus", "--sync", main], check=False)
subprocess.run(["xdotool", "key", "Return"], check=True)


def cells():
    for node in walk(app):
        if node.get_role() == Atspi.Role.TABLE and node.get_name() == "Holdfázis naptár":
            count = node.get_child_count()
            if count >= 365:
                names = [node.get_child_at_index(k).get_name() for k in range(count)]
                # Until the scan ends, the cells have no class.
                if all(PHASE_DAY.match(n) or PLAIN_DAY.match(n) for n in names):
                    return names
    return None


def dump():
    for node in walk(app):
        print(" ", node.get_role_name(), repr(node.get_name()), node.get_child_count())


names = wait_for("the calendar's day cells with their names", cells, 240 if len(sys.argv) < 3 else 20)
phase = [n for n in names if PHASE_DAY.match(n)]
print("day cells:", len(names), "moon-phase days:", len(phase))
for n in phase[:3]:
    print("  ", n)
if not 10 <= len(phase) <= 14:
    fail("a year has some twelve moon-phase days, not %d" % len(phase))
today = [n for n in names if n.startswith("ma, ")]
if len(today) != 1:
    fail("today's cell is named once in the year shown, found %d" % len(today))
print("today:", today[0])
for n in names:
    if "holdfázis" in n:
        print("   *", n)
print("PASS")

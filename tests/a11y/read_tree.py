"""Reads the program's accessibility tree over AT-SPI: the main window's controls by name,
then, after Enter has started the calendar, the names of the calendar's day cells."""

import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

MONTH = "(január|február|március|április|május|június|július|augusztus|szeptember|október|november|december)"
DAY = r"^(ma, )?\d{4}\. %s \d{1,2}\., " % MONTH
PHASE_DAY = re.compile(DAY + r"holdfázis nap – (fiú|lány), pontos visszatérés (az előző napon, |a következő napon, )?"
                       r"\d\d:\d\d \(UTC[+-]\d+(:\d\d)?\)")
PLAIN_DAY = re.compile(DAY + "(nem )?termékeny nap")
CONTROLS = {"Név", "Születési év", "Születési hónap", "Születési nap", "Születési óra", "Születési perc", "Időzóna",
            "Nyári időszámítás", "Földrajzi hosszúság, fok", "Földrajzi szélesség, fok", "A naptár éve",
            "Naptár készítése", "Asztrogram megnyitása", "Születési hely", "Lakóhely", "Mentés", "Ciklus"}


def walk(node):
    yield node
    for k in range(node.get_child_count()):
        child = node.get_child_at_index(k)
        if child is not None:
            yield from walk(child)


def wait_for(what, find, seconds):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.5)
    sys.exit("FAIL: " + what)


def program():
    desktop = Atspi.get_desktop(0)
    apps = (desktop.get_child_at_index(k) for k in range(desktop.get_child_count()))
    return next((a for a in apps if a is not None and a.get_process_id() == int(sys.argv[1])), None)


def day_cells():
    for node in walk(app):
        if node.get_role() == Atspi.Role.TABLE and node.get_child_count() >= 365:
            cells = [node.get_child_at_index(k) for k in range(node.get_child_count())]
            # A finished calendar gives the keyboard one of its cells.
            if any(c.get_state_set().contains(Atspi.StateType.FOCUSED) for c in cells):
                return [c.get_name() for c in cells]
    return None


app = wait_for("the program on the accessibility bus", program, 30)
wait_for("the main window's controls by name", lambda: CONTROLS <= {n.get_name() for n in walk(app)}, 30)
print("main window: every control named")

# Enter on the birth year, where start-up leaves the focus, makes the calendar. Without a
# window manager the window is given the keyboard first.
main = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^FEROLUNE"], check=True,
                      capture_output=True, text=True).stdout.split()[0]
subprocess.run(["xdotool", "windowfocus", "--sync", main], check=False)
subprocess.run(["xdotool", "key", "Return"], check=True)

names = wait_for("the calendar's day cells by name", day_cells, 240)
unread = [n for n in names if not PHASE_DAY.match(n) and not PLAIN_DAY.match(n)]
if unread:
    sys.exit("FAIL: cells without a date and class: %s" % unread[:3])
phase = [n for n in names if PHASE_DAY.match(n)]
print("day cells:", len(names), "\n  " + "\n  ".join(phase))
if not 10 <= len(phase) <= 14:
    sys.exit("FAIL: a year has some twelve moon-phase days, not %d" % len(phase))
if sum(n.startswith("ma, ") for n in names) != 1:
    sys.exit("FAIL: today's cell is not named once")
print("PASS")

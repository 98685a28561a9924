#!/usr/bin/python3
"""Reads an exported .ics with python3-icalendar and a .csv with the csv module, and
prints what they hold as JSON, so a test can compare it with what it wrote."""
import csv
import datetime
import json
import sys

from icalendar import Calendar


def day_text(value):
    # All-day events carry dates; a date-time here would be a fault the test must see.
    kind = "datetime" if isinstance(value, datetime.datetime) else "date"
    return {"kind": kind, "value": value.isoformat()}


# Everything a calendar program may show: the values of every text property.
SHOWN = ("SUMMARY", "DESCRIPTION", "X-WR-CALNAME", "X-WR-CALDESC", "LOCATION", "COMMENT", "CATEGORIES")


def shown_texts(calendar):
    return [str(component[name]) for component in calendar.walk() for name in SHOWN if name in component]


def read_ics(path):
    with open(path, "rb") as f:
        calendar = Calendar.from_ical(f.read())
    events = []
    for event in calendar.walk("VEVENT"):
        events.append({
            "uid": str(event["UID"]),
            "dtstart": day_text(event["DTSTART"].dt),
            "dtend": day_text(event["DTEND"].dt),
            "summary": str(event["SUMMARY"]),
            "description": str(event.get("DESCRIPTION", "")),
            "alarms": [{"action": str(alarm["ACTION"]), "trigger_hours": alarm["TRIGGER"].dt.total_seconds() / 3600}
                       for alarm in event.walk("VALARM")],
        })
    return {"version": str(calendar["VERSION"]), "events": events, "texts": shown_texts(calendar)}


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f, strict=True))


print(json.dumps({"ics": read_ics(sys.argv[1]), "csv": read_csv(sys.argv[2])}, ensure_ascii=False))

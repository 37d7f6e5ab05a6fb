#!/usr/bin/env python3
"""Reads calendar files with Debian's icalendar package, a parser we did not write, and checks what a
calendar program relies on: CRLF lines of at most 75 octets, each whole UTF-8; no parse errors; the
calendar head; all-day events of one day with unique identities.

    check_ical.py [--events N] [--summary UID TEXT]... FILE...
    check_ical.py --tool PROGRAM [--events N] [--summary UID TEXT]... -- ARG...

With --tool the calendar is what PROGRAM ARG... prints."""
import datetime
import subprocess
import sys

from icalendar import Calendar


def fail(where, message):
    sys.exit(f"{where}: {message}")


def check_lines(where, data):
    lines = data.split(b"\r\n")
    if lines[-1] != b"":
        fail(where, "the last line has no CRLF")
    for n, line in enumerate(lines[:-1], 1):
        if b"\n" in line or b"\r" in line:
            fail(where, f"line {n}: a line end that is not CRLF")
        if len(line) > 75:
            fail(where, f"line {n}: {len(line)} octets")
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            fail(where, f"line {n}: a character split by folding")


def check_calendar(where, data, events_expected, summaries):
    check_lines(where, data)
    cal = Calendar.from_ical(data)
    for component in cal.walk():
        if component.errors:
            fail(where, f"{component.name}: {component.errors}")
    for key, value in (("VERSION", "2.0"), ("CALSCALE", "GREGORIAN")):
        if str(cal.get(key)) != value:
            fail(where, f"{key} is {cal.get(key)}")
    for key in ("PRODID", "X-WR-CALNAME"):
        if not str(cal.get(key, "")).strip():
            fail(where, f"no {key}")
    uids = set()
    events = cal.walk("VEVENT")
    for ev in events:
        uid = str(ev["UID"])
        start, end = ev.decoded("DTSTART"), ev.decoded("DTEND")
        if type(start) is not datetime.date or end - start != datetime.timedelta(days=1):
            fail(where, f"{uid}: not an all-day event of one day: {start} {end}")
        if uid in uids:
            fail(where, f"{uid} twice")
        uids.add(uid)
        ev.decoded("DTSTAMP")
        if not str(ev["SUMMARY"]).strip():
            fail(where, f"{uid}: empty summary")
        if uid in summaries and str(ev["SUMMARY"]) != summaries[uid]:
            fail(where, f"{uid}: summary {str(ev['SUMMARY'])!r}")
    if events_expected is not None and len(events) != events_expected:
        fail(where, f"{len(events)} events, not {events_expected}")
    if not events:
        fail(where, "no events")


def main(args):
    events, summaries, tool = None, {}, None
    while args and args[0].startswith("--") and args[0] != "--":
        option = args.pop(0)
        if option == "--events":
            events = int(args.pop(0))
        elif option == "--summary":
            uid = args.pop(0)
            summaries[uid] = args.pop(0)
        elif option == "--tool":
            tool = args.pop(0)
        else:
            fail("check_ical", f"unknown option {option}")
    if tool:
        if args and args[0] == "--":
            args.pop(0)
        run = subprocess.run([tool] + args, capture_output=True, check=False)
        if run.returncode != 0:
            fail(" ".join(args), f"status {run.returncode}: {run.stderr.decode(errors='replace')}")
        check_calendar(" ".join(args), run.stdout, events, summaries)
    else:
        for path in args:
            with open(path, "rb") as f:
                check_calendar(path, f.read(), events, summaries)


if __name__ == "__main__":
    main(sys.argv[1:])

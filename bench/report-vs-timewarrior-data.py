#!/usr/bin/env python3
"""Writes the benchmark's periods twice: as Vornet's timelog.csv and as Timewarrior's data
files (one "inc START - END # TAG" line per interval in data/YYYY-MM.data, times in UTC;
the benchmark runs Timewarrior with TZ=UTC so that its days are the log's local days).

usage: report-vs-timewarrior-data.py LINES TIMELOG [TIMEWARRIORDB]
"""
import datetime
import os
import random
import sys

TASKS = ["Coding", "Break", "Meeting, client", "Mail", "Review", "Planning", "Support", "Docs"]


def periods(count):
    """Back-to-back periods of 30 s to 30 min from 2000-01-01, with a short gap now and then."""
    rng = random.Random(20261205)
    moment = datetime.datetime(2000, 1, 1, 8, 0, 0)
    for _ in range(count):
        seconds = rng.randint(30, 1800)
        yield moment, seconds, rng.choice(TASKS)
        moment += datetime.timedelta(seconds=seconds + rng.choice((0, 0, 0, 1, 5)))


def write_timelog(path, count):
    with open(path, "wb") as out:
        lines = []
        for start, seconds, task in periods(count):
            lines.append("%4d/%02d/%02d %02d:%02d:%02d,%d:%02d:%02d,%d,%s\r\n" % (
                start.year, start.month, start.day, start.hour, start.minute, start.second,
                seconds // 3600, seconds // 60 % 60, seconds % 60, seconds, task))
            if len(lines) >= 100000:
                out.write("".join(lines).encode("ascii"))
                lines = []
        out.write("".join(lines).encode("ascii"))


def tag(task):
    return '"%s"' % task if any(c in task for c in ' ,"') else task


def write_timewarrior(db, count):
    """Prints the first day and the day after the last period: the range to summarise."""
    os.makedirs(os.path.join(db, "data"), exist_ok=True)
    with open(os.path.join(db, "timewarrior.cfg"), "w") as cfg:
        cfg.write("verbose = off\nconfirmation = off\nreports.summary.holidays = no\n")
    files = {}
    first = end = None
    for start, seconds, task in periods(count):
        first = first or start
        end = start + datetime.timedelta(seconds=seconds)
        files.setdefault(start.strftime("%Y-%m"), []).append("inc %s - %s # %s\n" % (
            start.strftime("%Y%m%dT%H%M%SZ"), end.strftime("%Y%m%dT%H%M%SZ"), tag(task)))
    for month, lines in files.items():
        with open(os.path.join(db, "data", month + ".data"), "w") as out:
            out.write("".join(lines))
    print(first.strftime("%Y-%m-%d"), (end + datetime.timedelta(days=1)).strftime("%Y-%m-%d"))


def main():
    count = int(sys.argv[1])
    write_timelog(sys.argv[2], count)
    if len(sys.argv) > 3:
        write_timewarrior(sys.argv[3], count)


if __name__ == "__main__":
    main()

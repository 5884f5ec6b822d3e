#!/usr/bin/env python3
"""Counts the boundary warnings of random births independently from the
calendar data files and compares them with vesprin-cast's "warnings".

The count here reads only the data files' text: every large festival ("**",
its local time in columns 27-31) and every double-hour edge (the odd hours)
within the margin of a birth is one warning. A day beyond its month is taken
as the month's last day, as the input rules correct it.

Usage: scripts/count-warnings.py VESPRIN_CAST [N] [SEED] [MARGIN]
(defaults 10000 births of CE 1900-2100 from scripts/make_births.py, seed 1,
margin 30 minutes), and a tenth as many again near large festivals. Prints the figures; exit status 1 when they differ."""
import bisect
import calendar
import datetime
import json
import os
import random
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")
EPOCH = datetime.date(1970, 1, 1)


def minutes(date, hour, minute):
    return ((date - EPOCH).days * 24 + hour) * 60 + minute


def festivals():
    """Local times (minutes since 1970) of every large festival in the data files."""
    found = {}
    for name in sorted(os.listdir(DATA)):
        if not name.endswith(".DAT"):
            continue
        with open(os.path.join(DATA, name), encoding="ascii") as f:
            next(f)  # the header
            for line in f:
                line = line.rstrip("\r\n \t")
                if line[32:34] != "**":
                    continue
                day = datetime.date(int(line[0:4]) - 543, int(line[5:7]), int(line[8:10]))
                at = minutes(day, int(line[26:28]), int(line[29:31]))
                found[at] = line[26:31]
    return sorted(found)


def main():
    cast = sys.argv[1]
    n = sys.argv[2] if len(sys.argv) > 2 else "10000"
    seed = sys.argv[3] if len(sys.argv) > 3 else "1"
    margin = int(sys.argv[4]) if len(sys.argv) > 4 else 30
    births = subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "make_births.py"), n, seed],
                            check=True, capture_output=True, text=True).stdout.splitlines()
    large = festivals()
    # Festivals are rare among random minutes (about one birth in a thousand):
    # a tenth as many births again, each within 45 minutes of a large
    # festival of CE 1900-2100, so that the festival warnings are counted on
    # more than a handful.
    rng = random.Random(int(seed))
    span = [f for f in large if minutes(datetime.date(1900, 1, 1), 0, 0) <= f < minutes(datetime.date(2100, 12, 1), 0, 0)]
    for _ in range(int(n) // 10):
        t = rng.choice(span) + rng.randint(-45, 45)
        day = EPOCH + datetime.timedelta(days=t // 1440)
        births.append(f"{day.day:02d} {day.month:02d} {day.year + 543} {t % 1440 // 60:02d} {t % 60:02d} "
                      f"{rng.choice('mf')} 09")

    expected = []
    for b in births:
        day, month, year, hour, minute = (int(x) for x in b.split()[:5])
        ce = year - 543
        day = min(day, calendar.monthrange(ce, month)[1])
        t = minutes(datetime.date(ce, month, day), hour, minute)
        found = []
        lo = bisect.bisect_left(large, t - margin)
        for f in large[lo:bisect.bisect_right(large, t + margin)]:
            found.append(("festival", f - t))
        first = t - margin + (60 - (t - margin)) % 120  # the first odd hour at or after t - margin
        for edge in range(first, t + margin + 1, 120):
            found.append(("hour", edge - t))
        expected.append(sorted(found))

    env = dict(os.environ, VESPRIN_TODAY="2026-12-09")
    out = subprocess.run([cast, "--margin", str(margin)], input="\n".join(births) + "\n", env=env,
                         capture_output=True, text=True, cwd=ROOT)
    got = []
    for line in out.stdout.splitlines():
        obj = json.loads(line)
        got.append(sorted((w["kind"], w["minutes"]) for w in obj["warnings"]))

    def count(sets, kind=None):
        return sum(1 for s in sets for w in s if kind is None or w[0] == kind)

    differing = [i for i, (e, g) in enumerate(zip(expected, got)) if e != g]
    print(f"births:                    {len(births)} (cast {len(got)}, margin {margin} minutes)")
    print(f"festival warnings:         {count(expected, 'festival')} from the data files, "
          f"{count(got, 'festival')} from vesprin-cast")
    print(f"hour warnings:             {count(expected, 'hour')} from the data files, "
          f"{count(got, 'hour')} from vesprin-cast")
    print(f"births with a warning:     {sum(1 for s in expected if s)} from the data files, "
          f"{sum(1 for s in got if s)} from vesprin-cast")
    print(f"births whose warnings differ: {len(differing) + abs(len(births) - len(got))}")
    for i in differing[:5]:
        print(f"  {births[i]}: data {expected[i]} cast {got[i]}")
    return 0 if not differing and len(got) == len(births) else 1


if __name__ == "__main__":
    sys.exit(main())

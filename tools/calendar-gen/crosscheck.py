#!/usr/bin/python3
"""Independent check of calendar-gen's solar terms against PyEphem (Debian python3-ephem).

    /usr/bin/python3 tools/calendar-gen/crosscheck.py build/tools/calendar-gen/calendar-gen [FIRST LAST]

For every term of the Christian-Era years FIRST..LAST (default 1900..2100) it finds, in PyEphem, the
instant when the Sun's apparent geocentric ecliptic longitude of date reaches the term's longitude,
and compares it with the generator's instant. It also counts the terms that fall within two minutes
of a Thai hour boundary, where a small error in either ephemeris would move a festival to another
hour. Not run in CI: it is a figure to look at when the generator or its library changes.
"""
import datetime
import math
import subprocess
import sys
import zoneinfo

import ephem

BANGKOK = zoneinfo.ZoneInfo("Asia/Bangkok")
OBSERVED_DELTA_T_UNTIL = 2025  # later years rest on extrapolated Delta T
EPHEM_EPOCH = datetime.datetime(1899, 12, 31, 12, tzinfo=datetime.timezone.utc)  # ephem.Date(0)


def apparent_longitude(date):
    """Degrees. g_ra/g_dec are PyEphem's apparent geocentric place of date (aberration and
    nutation included). PyEphem turns them into ecliptic coordinates with the mean obliquity;
    the nutation in obliquity that this leaves out moves the Sun's longitude by under 0.001"."""
    sun = ephem.Sun()
    sun.compute(date, epoch=date)
    ecl = ephem.Ecliptic(ephem.Equatorial(sun.g_ra, sun.g_dec, epoch=date), epoch=date)
    return math.degrees(ecl.lon)


def signed(deg):
    return (deg + 180.0) % 360.0 - 180.0


def ephem_term(longitude, start):
    """Secant steps from the generator's instant (an ephem.Date, UT) to PyEphem's own crossing."""
    t0, t1 = start - 0.01, start
    f0 = signed(apparent_longitude(ephem.Date(t0)) - longitude)
    f1 = signed(apparent_longitude(ephem.Date(t1)) - longitude)
    for _ in range(30):
        if f1 == f0:
            break
        t0, t1, f0 = t1, t1 - f1 * (t1 - t0) / (f1 - f0), f1
        f1 = signed(apparent_longitude(ephem.Date(t1)) - longitude)
        if abs(t1 - t0) < 1e-8:  # about a millisecond
            break
    return t1


def to_datetime(date):
    return EPHEM_EPOCH + datetime.timedelta(days=float(date))


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    first, last = (sys.argv[2], sys.argv[3]) if len(sys.argv) == 4 else ("1900", "2100")
    lines = subprocess.run([sys.argv[1], "--terms", first, last], check=True,
                           capture_output=True, text=True).stdout.splitlines()

    worst_ut = worst_tt = worst_observed = (0.0, None)
    near_hour = hour_moved = minute_moved = 0
    for line in lines:
        lon, iso, delta_t, _, _ = line.split()
        longitude = int(lon)
        ours = datetime.datetime.fromisoformat(iso).replace(tzinfo=datetime.timezone.utc)
        found = ephem_term(longitude, ephem.Date((ours - EPHEM_EPOCH).total_seconds() / 86400))
        theirs = to_datetime(found)
        diff_ut = (ours - theirs).total_seconds()
        # The same difference on the ephemerides' own time scale (TT), without the two Delta T models,
        # which part ways in the future where Delta T is extrapolated.
        diff_tt = diff_ut + float(delta_t) - ephem.delta_t(found)
        worst_ut = max(worst_ut, (abs(diff_ut), line))
        worst_tt = max(worst_tt, (abs(diff_tt), line))
        if ours.year <= OBSERVED_DELTA_T_UNTIL:
            worst_observed = max(worst_observed, (abs(diff_ut), line))

        local = ours.astimezone(BANGKOK)
        into_hour = local.minute * 60 + local.second + local.microsecond / 1e6  # seconds, [0, 3600)
        if min(into_hour, 3600 - into_hour) < 120:
            near_hour += 1
        other = theirs.astimezone(BANGKOK)
        hour_moved += (local.date(), local.hour) != (other.date(), other.hour)
        minute_moved += (local.date(), local.hour, local.minute) != (other.date(), other.hour, other.minute)

    print(f"terms compared: {len(lines)} (CE {first}..{last})")
    print(f"largest |difference| in UT:            {worst_ut[0]:6.1f} s at {worst_ut[1]}")
    print(f"  up to {OBSERVED_DELTA_T_UNTIL} (Delta T observed):   {worst_observed[0]:6.1f} s at {worst_observed[1]}")
    print(f"largest |difference| in TT (ephemeris): {worst_tt[0]:6.1f} s at {worst_tt[1]}")
    print(f"terms within 2 minutes of a Thai hour boundary: {near_hour}")
    print(f"terms whose Thai festival hour differs between the two: {hour_moved}; minute: {minute_moved}")


if __name__ == "__main__":
    main()

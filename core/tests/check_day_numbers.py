"""Checks the module's day numbers against Python's own calendar.

Runs the table printer given as the first argument and compares every line with
date.toordinal() + 1721425 (the chronological Julian day number), the date read back from it,
and the seconds of its midnight from 1970-01-01.
"""
import subprocess
import sys
from datetime import date

JULIAN_DAY_OF_ORDINAL_0 = 1721425
EPOCH = date(1970, 1, 1)


def expected(year, month, day):
    try:
        d = date(year, month, day)
    except ValueError:
        return (0, 0, None)
    return (1, d.toordinal() + JULIAN_DAY_OF_ORDINAL_0, (d - EPOCH).days * 86400.0)


def main():
    table = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    failures = []
    lines = table.splitlines()
    for line in lines:
        fields = line.split()
        year, month, day, valid, number, back_year, back_month, back_day = map(int, fields[:8])
        seconds = float(fields[8])
        want_valid, want_number, want_seconds = expected(year, month, day)
        if (valid, number) != (want_valid, want_number):
            failures.append(f"{line}: expected valid {want_valid}, day number {want_number}")
        elif valid and (back_year, back_month, back_day) != (year, month, day):
            failures.append(f"{line}: the day number reads back as another date")
        elif valid and seconds != want_seconds:
            failures.append(f"{line}: expected time value {want_seconds}")
    if len(lines) != 201 * 12 * 31:
        failures.append(f"{len(lines)} lines instead of {201 * 12 * 31}")
    for failure in failures[:20]:
        print(failure)
    print(f"{len(lines)} dates checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

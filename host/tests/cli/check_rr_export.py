#!/usr/bin/python3
"""Reads an RR interval text file as another program would, and holds it against the beats the
analysis wrote beside it.

Every line must end in CR LF (the last one included); each line must be the "%.6g" text of the
number it holds, in the C locale; and the numbers must be the RR intervals the analysis took
from the beats file: those of beats of class 0 whose beat before is of class 0 too (an interval
beside an ectopic or unclassified beat is left out), in file order, each within the rounding of
six significant digits and of the beats file's six decimals.

Usage: check_rr_export.py RR_FILE BEATS_CSV
Exit status 0 when every check holds; otherwise the failures go to standard error.
"""
import csv
import math
import sys


def main(rr_path, beats_path):
    failures = []
    with open(rr_path, "rb") as f:
        data = f.read()
    if data and not data.endswith(b"\r\n"):
        failures.append("the file does not end in CR LF")
    lines = data.split(b"\r\n")[:-1] if data else []
    values = []
    for number, raw in enumerate(lines, 1):
        if b"\n" in raw or b"\r" in raw:
            failures.append(f"line {number}: a line end other than CR LF")
            continue
        text = raw.decode("ascii")
        value = float(text)
        if "%.6g" % value != text:
            failures.append(f"line {number}: {text!r} is not the %.6g text of {value!r}")
        values.append(value)

    with open(beats_path, newline="") as f:
        beats = list(csv.DictReader(f))
    series = []
    for before, beat in zip(beats, beats[1:]):
        rr = float(beat["rr_s"])
        if int(before["class"]) == 0 and int(beat["class"]) == 0 and not math.isnan(rr):
            series.append(rr)
    if len(values) != len(series):
        failures.append(f"{len(values)} lines, but {len(series)} intervals in the analysis")
    for number, (value, rr) in enumerate(zip(values, series), 1):
        digits = 0.5 * 10 ** (math.floor(math.log10(abs(rr))) - 5) if rr else 0.0
        if abs(value - rr) > digits + 0.5e-6 + 1e-12:
            failures.append(f"line {number}: {value!r} is not the interval {rr!r}")

    for failure in failures:
        print(failure, file=sys.stderr)
    if not values:
        print("the file holds no intervals", file=sys.stderr)
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))

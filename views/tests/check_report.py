#!/usr/bin/python3
"""Holds the cells of the report, as the browser shows them, against numpy and scipy and against
the host's measurement table.

The input file is the one check_measurements.py reads (settings, beats and the table's values),
with the report's cells added as read from the page's DOM:
    cell BOX<TAB>ROW<TAB>INDEX<TAB>TEXT
Each figure is computed again from the beats (check_measurements.expected) and must lie within
half a unit of the fourth significant digit the cell shows; so must the table's value. A cell
reads "n/a" exactly where the reference has no value.

Usage: check_report.py <file>
"""
import math
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "analysis", "tests", "measurements"))
from check_measurements import expected, read  # noqa: E402

# (box, row, index) -> (reference name, unit the reference is in)
CELLS = {
    ("Time-Domain", "Average RR", 0): ("MeanRR", "ms"),
    ("Time-Domain", "Median RR", 0): ("MedianRR", "ms"),
    ("Time-Domain", "SDRR", 0): ("SDRR", "ms"),
    ("Time-Domain", "SDARR", 0): ("SDARR", "ms"),
    ("Time-Domain", "CVRR", 0): ("CVRR", ""),
    ("Time-Domain", "Average Rate", 0): ("MeanRate", "BPM"),
    ("Time-Domain", "SD Rate", 0): ("SDRate", "BPM"),
    ("Time-Domain", "SDSD", 0): ("SDSD", "ms"),
    ("Time-Domain", "RMSSD", 0): ("RMSSD", "ms"),
    ("Frequency-Domain", "Total", 0): ("TotalPower", "ms2"),
    ("Frequency-Domain", "VLF", 0): ("VLFPower", "ms2"),
    ("Frequency-Domain", "VLF", 1): ("VLFPowerPercent", ""),
    ("Frequency-Domain", "LF", 0): ("LFPower", "ms2"),
    ("Frequency-Domain", "LF", 1): ("LFPowerPercent", ""),
    ("Frequency-Domain", "LF", 2): ("LFPowerNU", ""),
    ("Frequency-Domain", "HF", 0): ("HFPower", "ms2"),
    ("Frequency-Domain", "HF", 1): ("HFPowerPercent", ""),
    ("Frequency-Domain", "HF", 2): ("HFPowerNU", ""),
    ("Frequency-Domain", "LF/HF", 1): ("LFHFRatio", ""),
    ("Nonlinear", "SD1", 0): ("SD1", "ms"),
    ("Nonlinear", "SD2", 0): ("SD2", "ms"),
}
COUNTS = {
    ("General", "Total Included Beats", 0): "TotalCount",
    ("General", "Included Normal Beats", 0): "NormalCount",
    ("General", "Included Ectopic Beats", 0): "EctopicCount",
}
PREFIXES = {"": 0, "m": -3, "\u00b5": -6, "n": -9, "k": 3}


def read_cells(path):
    cells = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("cell "):
                box, row, index, text = line[5:].rstrip("\n").split("\t")
                cells[(box, row, int(index))] = text
    return cells


def shown(text, unit):
    """The number a cell shows, in the reference's unit, and half a unit of its fourth digit."""
    if unit == "ms":
        found = re.fullmatch(r"(\S+) (.?)s", text)
        scale = 10.0 ** (PREFIXES[found.group(2)] + 3) if found else None
    elif unit == "BPM":
        found = re.fullmatch(r"(\S+) BPM", text)
        scale = 1.0
    else:
        found = re.fullmatch(r"(\S+)", text)
        scale = 1.0
    if not found:
        raise ValueError(f"{text!r} is not a figure in {unit or 'no unit'}")
    number = float(found.group(1))
    if number == 0:
        return 0.0, 1e-9
    half = 0.5 * 10.0 ** (math.floor(math.log10(abs(number))) - 3)
    return number * scale, half * scale * (1 + 1e-9)


def agrees(text, unit, want):
    if want is None or text == "n/a":
        return want is None and text == "n/a"
    number, half = shown(text, unit)
    return abs(number - want) <= half


def main():
    settings, beats, values = read(sys.argv[1])
    cells = read_cells(sys.argv[1])
    reference = expected(settings, beats)
    problems = []
    for key, (name, unit) in CELLS.items():
        text = cells.get(key)
        if text is None:
            problems.append(f"{key}: not on the page")
            continue
        try:
            if not agrees(text, unit, reference[name]):
                problems.append(f"{key}: shows {text!r}, numpy gives {reference[name]!r}")
            if not agrees(text, unit, values.get(name)):
                problems.append(f"{key}: shows {text!r}, the table gives {values.get(name)!r}")
        except ValueError as e:
            problems.append(f"{key}: {e}")
    for key, name in COUNTS.items():
        if cells.get(key) != "%d" % values[name]:
            problems.append(f"{key}: shows {cells.get(key)!r}, the table gives {values[name]!r}")
    pnn = next((k for k in cells if k[0] == "Time-Domain" and k[1].startswith("pRR")), None)
    if pnn is None or pnn[1] != "pRR%g" % (settings[0] * 1000):
        problems.append(f"the pRR row is {pnn!r}")
    elif not agrees(cells[pnn].removesuffix(" %"), "", reference["pNNx"]):
        problems.append(f"{pnn}: shows {cells[pnn]!r}, numpy gives {reference['pNNx']!r}")
    print(f"{len(beats)} beats, {len(cells)} cells: " + ("ok" if not problems else "FAILED"))
    for p in problems:
        print("   ", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

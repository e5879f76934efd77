"""Decodes the stored analysis records of fixtures/analysis_records.txt with struct alone,
from the layout of the settings and data streams, and checks that each gives the values
written beside it."""

import struct
import sys

HEADER = 0x5515AAAA

# The version 6 settings layout: (name, struct code).
SETTINGS_FIELDS = [
    ("version", "i"), ("channel", "I"), ("channel_word", "I"), ("selection_only", "I"),
    ("markers_shown", "I"), ("start_record", "i"), ("start_offset", "i"), ("end_record", "i"),
    ("end_offset", "i"), ("bin_width", "d"), ("automatic_bins", "I"), ("prrx", "d"),
    ("exclude_ectopic", "I"), ("online", "I"), ("sdarr_segment", "d"), ("rr_low", "d"),
    ("rr_high", "d"), ("complexity_low", "d"), ("complexity_high", "d"), ("preset", "I"),
    ("levelling_window", "d"), ("noise", "d"), ("peak_height", "d"), ("qrs_width", "d"),
    ("min_period", "d"), ("low_pass", "d"), ("max_frequency", "d"), ("vlf_low", "d"),
    ("vlf_high", "d"), ("lf_low", "d"), ("lf_high", "d"), ("hf_low", "d"), ("hf_high", "d"),
    ("frequencies", "I"), ("window", "I"),
]


def format_value(value):
    if isinstance(value, float):
        return repr(value)
    return str(value)


def decode_settings(data):
    (header,) = struct.unpack_from("<I", data)
    assert header == HEADER, f"header {header:#x}"
    layout = "<" + "".join(code for _, code in SETTINGS_FIELDS)
    assert len(data) == 4 + struct.calcsize(layout), f"{len(data)} bytes"
    values = struct.unpack_from(layout, data, 4)
    return " ".join(f"{name}={format_value(v)}" for (name, _), v in zip(SETTINGS_FIELDS, values))


def decode_data(data):
    (header, version) = struct.unpack_from("<Ii", data)
    assert header == HEADER, f"header {header:#x}"
    offset = 8
    sets = []
    for _ in range(2):
        (count,) = struct.unpack_from("<I", data, offset)
        offset += 4
        positions = []
        for _ in range(count):
            record, tick = struct.unpack_from("<ii", data, offset)
            offset += 8
            positions.append(f"{record}:{tick}")
        sets.append("[" + ",".join(positions) + "]")
    assert offset == len(data), "bytes after the last position"
    return f"version={version} added={sets[0]} removed={sets[1]}"


DECODERS = {"settings": decode_settings, "data": decode_data}


def main(path):
    failures = 0
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        if not line.strip() or line.startswith("#"):
            continue
        kind, value, hex_bytes = (part.strip() for part in line.split("|"))
        decoded = DECODERS[kind](bytes.fromhex(hex_bytes.replace(" ", "")))
        if decoded != value:
            print(f"{path}:{number}: {kind} decodes to\n  {decoded}\nnot\n  {value}")
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

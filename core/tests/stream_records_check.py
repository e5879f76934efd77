"""Decodes the byte-exact stream records of fixtures/stream_records.txt with struct alone,
independently of the C++ readers, and checks that each gives the value written beside it."""

import struct
import sys

STRING_TAG_WIDE = 0x80000001


def record_text(data, offset, wide):
    """A tagged string record at offset: (text, next offset)."""
    tag, count, check = struct.unpack_from("<IIi", data, offset)
    assert bool(tag & 0x80000000) == wide, f"tag {tag:#x}"
    assert check == -count, f"check {check} for count {count}"
    if wide:
        assert tag == STRING_TAG_WIDE, f"tag {tag:#x}"
    offset += 12
    size = count * (2 if wide else 1)
    raw = data[offset:offset + size]
    assert len(raw) == size, "record runs past the data"
    text = raw.decode("utf-16-le" if wide else "cp1252")
    return text.rstrip("\0"), offset + size


def decode_header(data):
    (word,) = struct.unpack("<I", data)
    assert word & 0xFF00FFFF == 0x5500AAAA, f"not a header: {word:#x}"
    return str((word >> 16) & 0xFF)


def decode_string(data):
    text, end = record_text(data, 0, True)
    assert end == len(data)
    return text


def decode_ansi_string(data):
    text, end = record_text(data, 0, False)
    assert end == len(data)
    return text


def decode_old_string(data):
    (count,) = struct.unpack_from("<I", data)
    assert count <= 64000
    assert len(data) == 4 + count
    return data[4:].decode("cp1252").rstrip("\0")


def decode_unit(data):
    (index,) = struct.unpack_from("<i", data)
    name, offset = record_text(data, 4, True)
    (flag,) = struct.unpack_from("<i", data, offset)
    assert offset + 4 == len(data)
    assert 0 <= index <= 14
    return f"{index} {name} {flag}"


DECODERS = {
    "header": decode_header,
    "string": decode_string,
    "ansi_string": decode_ansi_string,
    "old_string": decode_old_string,
    "unit": decode_unit,
}


def main(path):
    failures = 0
    count = 0
    with open(path, encoding="utf-8") as fixtures:
        for number, line in enumerate(fixtures, 1):
            if not line.strip() or line.startswith("#"):
                continue
            kind, value, hex_bytes = (field.strip() for field in line.split("|"))
            count += 1
            try:
                decoded = DECODERS[kind](bytes.fromhex(hex_bytes))
                assert decoded == value, f"decoded {decoded!r}, expected {value!r}"
            except (AssertionError, struct.error, KeyError, ValueError) as error:
                failures += 1
                print(f"{path}:{number}: {kind}: {error}")
    print(f"{count - failures} of {count} records decode as expected")
    return 1 if failures or not count else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

#!/usr/bin/python3
"""Writes small WFDB records in every signal format the host reads, laid out with struct from
the published format descriptions alone, and checks that the host's reader (through the driver
given as the first argument) gives back every sample in physical units, bit for bit.

Each format is written with one and with two interleaved signals, with whole and with cut last
groups of packed samples, with extreme values, a gain and a baseline."""
import os
import random
import struct
import subprocess
import sys
import tempfile

RANGES = {8: (-128, 127), 16: (-32768, 32767), 61: (-32768, 32767), 80: (-128, 127),
          160: (-32768, 32767), 212: (-2048, 2047), 310: (-512, 511), 311: (-512, 511)}


def pack_differences(samples, signals, initial):
    previous = list(initial)
    out = bytearray()
    for index, value in enumerate(samples):
        signal = index % signals
        out += struct.pack('b', value - previous[signal])
        previous[signal] = value
    return bytes(out)


def pack_212(samples):
    out = bytearray()
    for i in range(0, len(samples), 2):
        a = samples[i] & 0xFFF
        if i + 1 == len(samples):
            out += bytes([a & 0xFF, a >> 8])  # a cut group: the first sample's two bytes
            break
        b = samples[i + 1] & 0xFFF
        out += bytes([a & 0xFF, (a >> 8) | ((b >> 8) << 4), b & 0xFF])
    return bytes(out)


def pack_310(samples):
    out = bytearray()
    for i in range(0, len(samples), 3):
        a, b, c = (samples[i:i + 3] + [0, 0])[:3]
        first = ((a & 0x3FF) << 1) | ((c & 0x1F) << 11)
        second = ((b & 0x3FF) << 1) | (((c & 0x3FF) >> 5) << 11)
        left = len(samples) - i
        out += struct.pack('<H', first) if left == 1 else struct.pack('<HH', first, second)
    return bytes(out)


def pack_311(samples):
    out = bytearray()
    for i in range(0, len(samples), 3):
        a, b, c = (samples[i:i + 3] + [0, 0])[:3]
        word = struct.pack('<I', (a & 0x3FF) | (b & 0x3FF) << 10 | (c & 0x3FF) << 20)
        left = len(samples) - i
        out += word[:{1: 2, 2: 3}.get(left, 4)]  # a cut group keeps the bytes its samples touch
    return bytes(out)


def pack(fmt, samples, signals, initial):
    if fmt == 8:
        return pack_differences(samples, signals, initial)
    if fmt in (16, 61, 80, 160):
        code = {16: '<h', 61: '>h', 80: 'B', 160: '<H'}[fmt]
        offset = {80: 128, 160: 32768}.get(fmt, 0)
        return b''.join(struct.pack(code, v + offset) for v in samples)
    return {212: pack_212, 310: pack_310, 311: pack_311}[fmt](samples)


def float32(value):
    return struct.unpack('<f', struct.pack('<f', value))[0]


def checksum(values):
    total = sum(values) & 0xFFFF
    return total - 0x10000 if total >= 0x8000 else total


def check(driver, folder, fmt, signals, frames, rng):
    low, high = RANGES[fmt]
    values = [[rng.randint(low, high) for _ in range(frames)] for _ in range(signals)]
    values[0][0] = low
    values[-1][-1] = high
    if fmt == 8:  # differences of at most one byte
        for channel in values:
            for i in range(1, frames):
                channel[i] = channel[i - 1] + rng.randint(-128, 127)
    samples = [values[s][f] for f in range(frames) for s in range(signals)]
    gains = [(200.0, 17), (1.0, 0), (-3.5, -100)][:signals]
    name = f'f{fmt}_{signals}_{frames}'
    with open(os.path.join(folder, name + '.dat'), 'wb') as data:
        data.write(pack(fmt, samples, signals, [v[0] for v in values]))
    lines = [f'{name} {signals} 360 {frames}']
    for s in range(signals):
        gain, baseline = gains[s]
        lines.append(f'{name}.dat {fmt} {gain}({baseline})/mV 12 0 {values[s][0]} '
                     f'{checksum(values[s])} 0 signal {s}')
    with open(os.path.join(folder, name + '.hea'), 'w') as header:
        header.write('\n'.join(lines) + '\n')
    run = subprocess.run([driver, os.path.join(folder, name + '.hea')], capture_output=True, text=True)
    if run.returncode != 0:
        return f'{name}: the reader refused it: {run.stderr.strip()}'
    channels = run.stdout.splitlines()[1:]
    for s in range(signals):
        gain, baseline = gains[s]
        expected = [float32((v - baseline) / gain) for v in values[s]]
        got = [float32(float(text)) for text in channels[s].split()]
        if got != expected:
            wrong = next(i for i in range(min(len(got), len(expected))) if got[i] != expected[i])
            return f'{name}: signal {s} differs first at sample {wrong}: {got[wrong]} != {expected[wrong]}'
    return None


def main():
    driver = sys.argv[1]
    rng = random.Random(15)
    failures = []
    cases = 0
    with tempfile.TemporaryDirectory() as folder:
        for fmt in sorted(RANGES):
            for signals, frames in ((1, 5), (1, 7), (2, 6), (2, 7), (3, 8)):
                cases += 1
                failure = check(driver, folder, fmt, signals, frames, rng)
                if failure:
                    failures.append(failure)
    for failure in failures:
        print(failure)
    print(f'{cases - len(failures)} of {cases} records read as written')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())

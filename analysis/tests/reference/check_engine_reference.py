#!/usr/bin/python3
"""Holds the analysis engine's statistics and spectrum against independent computations.

Each case is a recording of beats made here; the engine (through engine_reference_driver)
analyses it, and numpy and scipy compute the same results from the same beats:
- the time-domain statistics with numpy (standard deviations with ddof=1, the exact median),
  the histograms with numpy's floor and bincount, the segment means (SDARR) by segment index;
- the detrended, windowed series with numpy.polyfit and the window formulas;
- the periodogram with scipy.signal.lombscargle on the engine's detrended, windowed series;
  scipy's value is half the power times n, and its times are taken from the middle of their
  span as the engine's are (the periodogram does not depend on the time origin, and angles of
  a day's seconds would round by 1e-11, too much for the weakest frequencies);
- the band powers from scipy's periodogram.
Everything must agree to 1e-9 relative.

Usage: check_engine_reference.py <engine_reference_driver>
"""
import json
import subprocess
import sys

import numpy as np
from scipy.signal import lombscargle

TOLERANCE = 1e-9
TWO_PI = 6.283185307179586
ADMITTED = 0x300


def make_case(name, seed, beats, mean_rr, tick_period, settings, start_time=0.0,
              time_offset=0.0, tick_base=0, ectopic=0.0, unusable=0.0, tail=10.0):
    """Beats at whole ticks with a breathing rhythm, a slow wave and noise."""
    rng = np.random.default_rng(seed)
    positions, rrs, deltas, flags = [], [], [], []
    position, previous, elapsed = tick_base + 1000, np.nan, 0.0
    for i in range(beats):
        rr = mean_rr * (1 + 0.05 * np.sin(TWO_PI * 0.25 * elapsed)
                        + 0.04 * np.sin(TWO_PI * 0.03 * elapsed) + 0.02 * rng.standard_normal())
        ticks = max(1, int(round(rr / tick_period)))
        rr = ticks * tick_period
        position += ticks
        elapsed += rr
        delta = rr - previous
        flag = ADMITTED
        draw = rng.random()
        if draw < ectopic:
            flag = ADMITTED | 1
        elif draw < ectopic + unusable:
            flag = 0x100
        positions.append(position)
        rrs.append(rr)
        deltas.append(delta)
        flags.append(flag)
        previous = rr
    lines = ["settings " + " ".join(repr(float(v)) for v in settings),
             f"record {tick_period!r} {start_time!r} {time_offset!r} {tick_base}",
             f"region 0 {position + int(tail / tick_period)}"]
    for p, rr, d, f in zip(positions, rrs, deltas, flags):
        lines.append(f"beat {p} {rr!r} {d!r} {1 / rr!r} {f}")
    return {"name": name, "input": "\n".join(lines) + "\n", "settings": settings,
            "tick_period": tick_period, "start_time": start_time, "time_offset": time_offset,
            "tick_base": tick_base, "positions": np.array(positions, dtype=float),
            "rr": np.array(rrs), "delta": np.array(deltas), "flags": np.array(flags),
            "region_end": position + int(tail / tick_period)}


HUMAN_BANDS = [0.0, 0.04, 0.04, 0.15, 0.15, 0.45]
CASES = [
    # bin width, automatic, threshold, segment length, max frequency, frequencies, window, bands
    make_case("rest, Hann", 1, 400, 0.9, 0.001,
              [0.01, 0, 0.05, 60.0, 0.5, 500, 5] + HUMAN_BANDS),
    make_case("five hours late in the day, Hamming, automatic bins", 2, 20000, 0.85, 0.001,
              [0.01, 1, 0.05, 300.0, 0.5, 500, 2] + HUMAN_BANDS,
              start_time=60000.0, time_offset=1.5, tick_base=100, tail=250.0),
    make_case("mouse, Blackman", 3, 3000, 0.1, 0.0005,
              [0.002, 0, 0.006, 60.0, 5.0, 500, 3, 0.0, 0.15, 0.15, 1.5, 1.5, 5.0]),
    make_case("ectopic and unusable beats, Welch", 4, 900, 0.8, 1 / 360,
              [0.01, 0, 0.05, 100.0, 0.5, 500, 4] + HUMAN_BANDS, ectopic=0.05, unusable=0.05),
    make_case("few beats, triangular", 5, 7, 1.0, 0.001,
              [0.01, 0, 0.05, 300.0, 0.5, 130, 1] + HUMAN_BANDS),
    make_case("rectangular, 360 Hz ticks", 6, 600, 0.7, 1 / 360,
              [0.005, 0, 0.02, 120.0, 0.5, 256, 0] + HUMAN_BANDS),
]


def window(kind, t):
    r = (t - t[0]) / (t[-1] - t[0])
    formulas = {
        1: lambda: 1 - 2 * np.abs(r - 0.5),
        2: lambda: 0.54 - 0.46 * np.cos(2 * np.pi * r),
        3: lambda: 0.42 - 0.5 * np.cos(2 * np.pi * r) + 0.08 * np.cos(4 * np.pi * r),
        4: lambda: 1 - (2 * np.abs(r - 0.5)) ** 2,
        5: lambda: 0.5 - 0.5 * np.cos(2 * np.pi * r),
    }
    w = formulas.get(kind, lambda: np.ones_like(r))()
    return w / np.sqrt(np.mean(w ** 2))


def histogram(values, width):
    bins = np.floor(values / width).astype(np.int64)
    return bins.min(), np.bincount(bins - bins.min()).astype(float)


def segment_means(rr, t, start, end, length):
    index = np.floor((t - start) / length).astype(np.int64)
    means = [rr[index == k].mean() for k in np.unique(index) if start + (k + 1) * length <= end]
    return np.array(means)


def band_power(power, df, span, lo, hi):
    first = max(1, int(np.floor(lo / df + 0.5)))
    last = min(len(power), int(np.ceil(hi / df - 0.5)))
    return df * span * power[first - 1:last].sum() if last >= first else 0.0


def reference(case, engine):
    s = case["settings"]
    bin_width, automatic, threshold, length, fmax, frequencies, kind = s[:7]
    dt, base = case["tick_period"], case["tick_base"]
    time_base = case["start_time"] - base * dt - case["time_offset"]
    admitted = ((case["flags"] & ADMITTED) == ADMITTED) & ~np.isnan(case["delta"])
    rr, delta = case["rr"][admitted], case["delta"][admitted]
    t = time_base + (case["positions"][admitted] - base) * dt
    rate = 1 / rr
    n = len(rr)
    ref = {"n": n, "t": t, "rr": rr, "delta": delta}

    ref["mean_rr"] = rr.mean()
    ref["sdrr"] = rr.std(ddof=1)
    ref["cvrr"] = ref["sdrr"] / ref["mean_rr"]
    ref["mean_rate"] = 60 * rate.mean()
    ref["sd_rate"] = 60 * rate.std(ddof=1)
    ref["sdsd"] = delta.std(ddof=1)
    ref["rmssd"] = np.sqrt(np.mean(delta ** 2))
    # A change equal to the threshold up to rounding is not a large one.
    large = np.abs(delta) - threshold > 1e-9 * np.maximum(np.abs(delta), threshold)
    ref["prrx"] = 100 * large.sum() / n
    ref["sd1"] = np.sqrt(0.5) * ref["sdsd"]
    ref["sd2"] = np.sqrt(2 * rr.var(ddof=1) - 0.5 * delta.var(ddof=1))
    ref["median"] = np.median(rr)
    ref["sum_rr"] = rr.sum()
    ref["sum_squares_delta"] = (delta ** 2).sum()

    rr_width = 3.5 * ref["sdrr"] / np.cbrt(n) if automatic else bin_width
    delta_width = 3.5 * ref["sdsd"] / np.cbrt(n) if automatic else bin_width
    ref["rr_bin_width"], ref["delta_bin_width"] = rr_width, delta_width
    ref["rr_origin"], ref["rr_counts"] = histogram(rr, rr_width)
    ref["delta_origin"], ref["delta_counts"] = histogram(delta, delta_width)

    region_start = time_base + (0 - base) * dt
    region_end = time_base + (case["region_end"] - base) * dt
    means = segment_means(rr, t, region_start, region_end, length)
    ref["segment_count"] = len(means)
    ref["segment_sum"] = means.sum()
    ref["sdarr"] = means.std(ddof=1) if len(means) > 1 else 0.0

    slope, intercept = np.polyfit(t, rr, 1)
    ref["z"] = (rr - (slope * t + intercept)) * window(kind, t)

    df = fmax / frequencies
    omega = TWO_PI * np.arange(1, frequencies + 1, dtype=float) * df
    z = np.array(engine["z"])
    centred = t - (t[0] + t[-1]) / 2
    power = 2 * lombscargle(centred, z, omega) / n
    span = t[-1] - t[0]
    ref["df"], ref["power"] = df, power
    ref["total"] = band_power(power, df, span, 0.0, fmax)
    for band, (lo, hi) in zip(("vlf", "lf", "hf"), zip(s[7::2], s[8::2])):
        ref[band] = band_power(power, df, span, lo, hi)
    return ref


def compare(name, value, expected, scale=None):
    value, expected = np.asarray(value, dtype=float), np.asarray(expected, dtype=float)
    if value.shape != expected.shape:
        return [f"{name}: shape {value.shape}, expected {expected.shape}"]
    # Vectors whose entries pass through zero are held to their own largest size.
    allowed = TOLERANCE * (np.abs(expected) if scale is None else scale)
    bad = np.abs(value - expected) > allowed
    if not bad.any():
        return []
    i = int(np.argmax(np.abs(value - expected) - allowed))
    return [f"{name}: {value.flat[i]!r} against {expected.flat[i]!r} (entry {i})"]


def check(driver, case):
    result = subprocess.run([driver], input=case["input"], capture_output=True, text=True,
                            check=True)
    engine = json.loads(result.stdout)
    ref = reference(case, engine)
    problems = []
    for key, expected in ref.items():
        scale = None
        if key in ("z", "delta"):
            scale = np.abs(expected).max()
        problems += compare(key, engine[key], expected, scale)
    return problems


def main():
    driver = sys.argv[1]
    failed = False
    for case in CASES:
        problems = check(driver, case)
        print(f"{case['name']}: {'ok' if not problems else 'FAILED'}")
        for p in problems:
            print("   ", p)
        failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

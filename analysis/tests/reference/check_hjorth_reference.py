#!/usr/bin/python3
"""Holds the beat window measures (variance, mobility, form factor) against numpy.

Windows of single-precision samples are made here: beats of several widths and rates, noise,
and windows too short to measure. The driver (hjorth_reference_driver) measures them; numpy
measures them again from the same samples:
- the first derivative with numpy.gradient (one-sided at the ends, centred inside);
- its trailing moving average over m values from numpy.convolve, the first m outputs all the
  mean of the first m values, nothing when there are fewer than m values (m = 0 counts as 1);
- the second derivative of the average with numpy.gradient;
- sample variances with numpy.var(ddof=1), 0 for fewer than two values;
- mobility sqrt(var(average) / var(x)), form factor sqrt(var(second) * var(x)) / var(average),
  with IEEE results for divisions by zero.
Everything must agree to 1e-9 relative (NaN with NaN, infinity with infinity).

Usage: check_hjorth_reference.py <hjorth_reference_driver>
"""
import math
import subprocess
import sys

import numpy as np

TOLERANCE = 1e-9


def gradient(x, dt):
    return np.gradient(x, dt) if len(x) >= 2 else np.array([])


def moving_average(v, m):
    m = max(m, 1)
    if len(v) < m:
        return np.array([])
    means = np.convolve(v, np.ones(m) / m, mode="valid")
    return np.concatenate([np.full(m - 1, means[0]), means])


def variance(v):
    return float(np.var(v, ddof=1)) if len(v) >= 2 else 0.0


def measures(samples, dt, m):
    x = samples.astype(np.float64)
    average = moving_average(gradient(x, dt), m)
    second = gradient(average, dt)
    vx, va, v2 = np.float64(variance(x)), np.float64(variance(average)), variance(second)
    with np.errstate(all="ignore"):
        return [vx, np.sqrt(va / vx), np.sqrt(v2 * vx) / va]


def beat_window(rng, n, width, offset):
    t = np.arange(n) - n / 2 + rng.uniform(-3, 3)
    shape = np.exp(-0.5 * (t / width) ** 2) - 0.2 * np.exp(-0.5 * ((t - 3 * width) / width) ** 2)
    return (offset + shape + 0.01 * rng.standard_normal(n)).astype(np.float32)


def windows():
    rng = np.random.default_rng(140)
    cases = []
    for n, dt, width, offset in [(100, 0.001, 6.0, 0.0), (100, 0.001, 3.0, 0.4),
                                 (250, 0.002, 4.0, -1.5), (60, 0.004, 2.0, 0.1),
                                 (401, 0.0005, 20.0, 2.0)]:
        cases.append((beat_window(rng, n, width, offset), dt, int(n * 0.05 + 0.5)))
    cases.append((rng.standard_normal(40).astype(np.float32), 0.001, 2))
    cases.append((rng.standard_normal(30).astype(np.float32), 0.001, 0))
    for n in (1, 2, 3):  # shorter than the smoothing, or too short for any variance
        cases.append((rng.standard_normal(n).astype(np.float32), 0.001, 5))
    return cases


def agree(got, want):
    if math.isnan(want) or math.isnan(got):
        return math.isnan(want) and math.isnan(got)
    if math.isinf(want) or math.isinf(got):
        return got == want
    return abs(got - want) <= TOLERANCE * max(abs(want), 1e-300)


def main():
    cases = windows()
    lines = []
    for samples, dt, m in cases:
        numbers = " ".join(repr(float(s)) for s in samples)
        lines.append(f"{dt!r} {m} {len(samples)} {numbers}")
    output = subprocess.run([sys.argv[1]], input="\n".join(lines) + "\n", text=True,
                            capture_output=True, check=True).stdout.split("\n")
    failures = 0
    names = ("variance", "mobility", "form factor")
    for i, (samples, dt, m) in enumerate(cases):
        got = [float(word) for word in output[i].split()]
        want = [float(v) for v in measures(samples, dt, m)]
        for name, g, w in zip(names, got, want):
            if not agree(g, w):
                failures += 1
                print(f"window {i} ({len(samples)} samples, m {m}): {name} {g!r}, numpy {w!r}")
    print(f"{len(cases)} windows, {failures} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

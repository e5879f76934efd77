"""The self-tests' generator against its published description, computed here with Python's
integers (the multiplication taken modulo 2^31 - 1 directly, not by Schrage's method): the
minimal standard generator behind a shuffle table of 32 entries, outputs as single-precision
values capped at 0.99999988. Usage: ran1_reference.py PATH_OF_ran1_draws"""
import struct
import subprocess
import sys

MODULUS = 2**31 - 1
CAP = 1.0 - 1.2e-7


def as_float32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def reference_draws(state, count):
    table = [0] * 32
    last = 0
    draws = []
    for _ in range(count):
        if state <= 0 or last == 0:
            state = max(1, -state)
            # 40 steps; the last 32 fill the table from its end down to entry 0.
            for j in range(39, -1, -1):
                state = 16807 * state % MODULUS
                if j < 32:
                    table[j] = state
            last = table[0]
        state = 16807 * state % MODULUS
        j = last // (1 + (MODULUS - 1) // 32)
        last = table[j]
        table[j] = state
        value = as_float32(last * (1.0 / MODULUS))
        draws.append(as_float32(CAP) if value > CAP else value)
    return draws


def main():
    program = sys.argv[1]
    count = 1000
    failures = 0
    for state in (-1, -12345, 0):
        printed = subprocess.run([program, str(state), str(count)], check=True,
                                 capture_output=True, text=True).stdout.split()
        ours = [as_float32(float(text)) for text in printed]
        expected = reference_draws(state, count)
        if len(ours) != count:
            print(f"state {state}: {len(ours)} draws printed, {count} expected")
            failures += 1
            continue
        for i, (a, b) in enumerate(zip(ours, expected)):
            if a != b:
                print(f"state {state}, draw {i}: {a!r} differs from the reference {b!r}")
                failures += 1
                break
        if not all(0.0 < x <= as_float32(CAP) for x in ours):
            print(f"state {state}: a draw lies outside (0, 0.99999988]")
            failures += 1
    print("ran1 agrees with the reference" if not failures else f"{failures} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

"""Where a trace must be drawn, computed with numpy from the samples and the point source's rule.

Arguments: a file of float32 samples, ticks and pixels (the compression ticks / pixels), gain,
offset, the first record pixel and the number of columns. The row of a value v is
floor((v + offset) * gain).

At one tick per pixel or more, column q holds the ticks t with floor(t * pixels / ticks) == q;
its segment covers the rows of those samples and of the sample before them. One line per
column: "q exact top bottom", with the rows lit exactly top to bottom.

Below one tick per pixel, one segment joins each sample to the next; which pixels of a slanted
segment light is the rasteriser's, so a column is given as a hull: "q hull top bottom row", the
lit rows lie within top to bottom, and row (when not "-") is the row of the sample drawn from
that column and must be lit. A column with nothing to draw: "q none".
"""
import sys

import numpy as np

samples = np.fromfile(sys.argv[1], dtype=np.float32).astype(np.float64)
ticks, pixels = int(sys.argv[2]), int(sys.argv[3])
gain, offset = float(sys.argv[4]), float(sys.argv[5])
first, count = int(sys.argv[6]), int(sys.argv[7])

rows = np.floor((samples + offset) * gain).astype(np.int64)
columns = (np.arange(len(samples), dtype=np.int64) * pixels) // ticks

for q in range(first, first + count):
    if ticks >= pixels:
        held = np.nonzero(columns == q)[0]
        if len(held) == 0:
            print(q, "none")
            continue
        take = rows[max(held[0] - 1, 0):held[-1] + 1]
        print(q, "exact", take.min(), take.max())
    else:
        low, high, own = None, None, "-"
        last = int(np.searchsorted(columns, q, side="right")) - 1
        for t in (last - 1, last):
            if t < 0:
                continue
            end = columns[t + 1] if t + 1 < len(samples) else columns[t]
            if columns[t] <= q <= end:
                pair = rows[t:t + 2]
                low = pair.min() if low is None else min(low, pair.min())
                high = pair.max() if high is None else max(high, pair.max())
                if columns[t] == q:
                    own = rows[t]
        if low is None:
            print(q, "none")
        else:
            print(q, "hull", low, high, own)

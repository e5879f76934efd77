// Reading a stage's input around a stretch of ticks, as centred filters need it: ticks before
// the record's start, and after the end of a closed record, mirror back into the data about the
// edge sample (..., x2, x1 | x0, x1, x2, ...), so that every stage stays zero-phase up to the
// edges. Past the end of a record that is still growing there is nothing to mirror; those ticks
// read as NaN, and stages never ask for them (their extent stops short by their reach).
#pragma once

#include <cstdint>
#include <span>

#include "host/channels/signal_node.h"

namespace PendrelHost {

// The tick inside [0, length) that `tick` mirrors to; length > 0.
int64_t MirrorTick(int64_t tick, int64_t length);

// Values of the ticks [from, from + values.size()); from may be negative.
void ReadMirrored(SignalNode& input, std::size_t record, int64_t from, std::span<float> values);

}  // namespace PendrelHost

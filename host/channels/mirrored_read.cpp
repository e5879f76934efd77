#include "host/channels/mirrored_read.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace PendrelHost {

namespace {

// Fills values[i] with the mirror of tick first + i, reading the part [low, high) of the data
// that those mirrors fall in.
void FillMirrored(SignalNode& input, std::size_t record, int64_t length, int64_t first, int64_t low,
                  int64_t high, std::span<float> values) {
  std::vector<float> edge(static_cast<std::size_t>(high - low));
  input.Read(record, low, edge);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = edge[static_cast<std::size_t>(MirrorTick(first + static_cast<int64_t>(i), length) - low)];
  }
}

}  // namespace

int64_t MirrorTick(int64_t tick, int64_t length) {
  if (length <= 1) return 0;
  const int64_t period = 2 * (length - 1);
  int64_t folded = tick % period;
  if (folded < 0) folded += period;
  return folded < length ? folded : period - folded;
}

void ReadMirrored(SignalNode& input, std::size_t record, int64_t from, std::span<float> values) {
  const RecordExtent extent = input.Extent(record);
  const int64_t length = extent.available;
  const int64_t to = from + static_cast<int64_t>(values.size());
  if (from >= 0 && (to <= length || !extent.final)) {
    input.Read(record, from, values);
    return;
  }
  if (length == 0) {
    std::fill(values.begin(), values.end(), std::numeric_limits<float>::quiet_NaN());
    return;
  }
  // Before the start: the mirrors of [from, 0) lie in [0, -from].
  const int64_t leftEnd = std::min<int64_t>(0, to);
  if (from < leftEnd) {
    FillMirrored(input, record, length, from, 0, std::min(length, 1 - from),
                 values.first(static_cast<std::size_t>(leftEnd - from)));
  }
  // Inside.
  const int64_t innerStart = std::max<int64_t>(from, 0);
  const int64_t innerEnd = std::min(to, length);
  if (innerStart < innerEnd) {
    input.Read(record, innerStart,
               values.subspan(static_cast<std::size_t>(innerStart - from), static_cast<std::size_t>(innerEnd - innerStart)));
  }
  // After the end: the mirrors of [length, to) lie in [2 length - 1 - to, length).
  const int64_t rightStart = std::max(from, length);
  if (rightStart < to) {
    const std::span<float> right = values.subspan(static_cast<std::size_t>(rightStart - from));
    if (extent.final) {
      FillMirrored(input, record, length, rightStart, std::max<int64_t>(0, 2 * length - 1 - to), length, right);
    } else {
      std::fill(right.begin(), right.end(), std::numeric_limits<float>::quiet_NaN());
    }
  }
}

}  // namespace PendrelHost

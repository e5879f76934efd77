// One stage of a computed sampled channel. Stages pull their inputs on demand, record by record,
// so a channel is evaluated only where and when it is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "host/channels/record_extent.h"

namespace PendrelHost {

class SignalNode {
 public:
  virtual ~SignalNode() = default;

  virtual RecordExtent Extent(std::size_t record) = 0;
  // Values of the ticks [start, start + values.size()); start >= 0. Ticks at or beyond the
  // available end read as NaN.
  virtual void Read(std::size_t record, int64_t start, std::span<float> values) = 0;
  // Whether reading the same ticks again costs no more than a copy: the stage keeps what it
  // computed, or its values are at hand.
  virtual bool HoldsValues() const { return false; }
};

}  // namespace PendrelHost

// The smallest and largest value a channel holds in records: its samples, or its events'
// values. NaN holds no value.
#pragma once

#include <cstddef>
#include <optional>

#include "host/channels/channel_value.h"

namespace PendrelHost {

struct ValueRange {
  double minimum;
  double maximum;
};

// Reads what is available of records [first, last]; nothing when they hold no value.
std::optional<ValueRange> ChannelValueRange(const ChannelValue& channel, std::size_t first,
                                            std::size_t last);

}  // namespace PendrelHost

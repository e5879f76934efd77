// A stretch of a recording that the user selected: from a tick of one record up to (not
// including) a tick of the same or a later record.
#pragma once

#include <cstddef>
#include <cstdint>

namespace PendrelHost {

struct RecordPosition {
  std::size_t record = 0;
  int64_t tick = 0;
  auto operator<=>(const RecordPosition&) const = default;
};

struct Selection {
  RecordPosition start;
  RecordPosition end;
};

}  // namespace PendrelHost

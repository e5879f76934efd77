// A beat's place in the host's data: a tick offset within a record.
#pragma once

#include <compare>

#include "platform/win32/types.h"

namespace Rhyth {

struct BeatPosition {
  LONG offset;
  LONG record;

  // Record first, then offset.
  friend constexpr auto operator<=>(const BeatPosition& a, const BeatPosition& b) {
    if (auto byRecord = a.record <=> b.record; byRecord != 0) return byRecord;
    return a.offset <=> b.offset;
  }
  friend constexpr bool operator==(const BeatPosition&, const BeatPosition&) = default;
};

inline constexpr BeatPosition kNoBeatPlace = {0x7FFFFFFF, 0x7FFFFFFF};

}  // namespace Rhyth

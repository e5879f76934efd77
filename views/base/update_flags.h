// The update flags of the plot views: what one refresh of a plot does, in the order the view
// bases carry the flags out (reset or refresh the data, tell the script of the change, default,
// store and apply the scale ranges, send the markup).
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

enum UpdateFlag : DWORD {
  kRefreshData = 0x01,
  kResetData = 0x02,
  kDefaultRanges = 0x04,
  kStoreRanges = 0x08,
  kApplyRanges = 0x10,
  kMarkup = 0x20,
  kDataChanged = 0x40,
};

// What a refresh for a notice code does to markup throttling.
enum class ThrottleChange { kNone, kRestart, kStop };

struct NoticeUpdate {
  DWORD flags;
  ThrottleChange throttle;
};

// The flags of an analysis notice code (0 to 6; any other code gives none).
NoticeUpdate UpdateForNoticeCode(DWORD code);

}  // namespace Rhyth

// The host's generic event record: every event an event enumerator hands out begins with these
// fields; an event type may append more, which travel unchanged.
#pragma once

#include "platform/win32/types.h"

struct PendrelEventRecord {
  LONG tick;
  float fraction;  // of a tick, added to the tick for the event's exact time
  double value;
};
static_assert(sizeof(PendrelEventRecord) == 16);

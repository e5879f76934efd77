// Enumerators that break one rule of the host's event enumerator contract each, put around the
// host's own enumerators by the host's stand-in hook, so that the self-test routines can be
// shown to catch each fault.
#pragma once

#include "platform/pendrel/data_source.h"

namespace FakeEnumerators {

enum class Fault {
  kFalseWithoutEnd,     // S_FALSE with a next tick other than kRecordEndOffset
  kShortBuffer,         // a full buffer's worth comes back one short, before the end tick
  kOkAtEnd,             // S_OK at the end of the data
  kStuckAtRecordEnd,    // S_OK with the next tick left at the record's length
  kUnexpectedResult,    // E_FAIL from Next
  kTickPastData,        // a next tick beyond the data
  kOneFewerOnline,      // online, the last event missing
  kOneMoreOnline,       // online, one event after the last
  kChangedBeatNumber,   // online, another beat number
  kTickOffAfterBounce,  // after a forward seek, the first event a tick late
  kSeekMissesForward,   // a forward seek that finds an event answers S_FALSE
  kSeekMissesBackward,  // a backward seek that finds an event answers S_FALSE
  kSeekOkInEmptyRange,  // a seek that finds nothing answers S_OK
  kPositionShort,       // the position a tick short
  kNoEvents,            // no events at all
  kEndlessOnline,       // online, an event on every call, for ever
};

// Every enumerator the host opens from now on breaks `fault`, until the guard goes.
class FaultyEnumerators {
 public:
  explicit FaultyEnumerators(Fault fault);
  ~FaultyEnumerators();
  FaultyEnumerators(const FaultyEnumerators&) = delete;
  FaultyEnumerators& operator=(const FaultyEnumerators&) = delete;
};

}  // namespace FakeEnumerators

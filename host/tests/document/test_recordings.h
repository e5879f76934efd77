// Recordings the document tests open: small enough to know every value.
#pragma once

#include <memory>

#include "host/recording/recording.h"

namespace DocumentTest {

// One closed record at 100 Hz, 200 ticks: "ECG" (mV) = 0.01 * (tick % 50) with its largest
// samples at ticks 49, 99, 149 and 199; "Resp" (l) = 1; the event channel "Marks" (mV) with
// events at ticks 45, 95 and 145, valued 1, 2 and 3. Channel indexes: ECG 0, Resp 1, Marks 2.
PendrelHost::Recording SmallRecording();
inline constexpr double kSmallRate = 100.0;

// The same channels laid out, with one open record and no data yet, for tests that sample.
std::shared_ptr<PendrelHost::Recording> EmptyOpenRecording();
// Appends ticks [from, to) of SmallRecording's channels and events to the open record.
void AppendSmallRecording(PendrelHost::Recording& recording, int64_t from, int64_t to);

}  // namespace DocumentTest

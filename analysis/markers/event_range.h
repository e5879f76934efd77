// Walks the events of one host channel between two positions, record by record: how the beat
// markers find the beats inside the user's selection.
#pragma once

#include <functional>

#include "platform/pendrel/data_source.h"
#include "platform/pendrel/recording_document.h"

namespace Rhyth {

using EventVisitor = std::function<void(LONG record, LONG tick)>;

// Calls `visit` for every event of `channel` from `start` up to (not including) `end`, in
// order. Within the first record the walk begins at the start offset, within the last it ends
// at the end offset; records between are read whole. An end before the start visits nothing,
// and a record whose events cannot be opened is skipped.
void ForEachEventInRange(IPendrelDataSource* source, PendrelChannelRef channel,
                         PendrelPosition start, PendrelPosition end, const EventVisitor& visit);

}  // namespace Rhyth

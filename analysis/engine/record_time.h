// Times of tick positions in the host's records, in seconds from the document start.
#pragma once

#include "platform/pendrel/data_source.h"

namespace Rhyth {

inline double RecordTimeBase(const PendrelRecordInfo& info) {
  return info.startTime - info.tickBase * info.tickPeriod - info.timeOffset;
}

// In double throughout: a position near kRecordEndOffset less a negative tick base would
// overflow 32 bits.
inline double TickTime(const PendrelRecordInfo& info, LONG position) {
  return RecordTimeBase(info) + (double(position) - double(info.tickBase)) * info.tickPeriod;
}

}  // namespace Rhyth

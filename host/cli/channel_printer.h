// Writes a computed channel as CSV text: `time_s,value` for a sampled channel, and
// `record,tick,time_s,value` for an event channel, record by record. Numbers are written in the
// classic locale, values in their shortest exact form.
#pragma once

#include <cstdio>

#include "host/channels/channel_value.h"
#include "host/recording/recording.h"

namespace PendrelHost {

struct TimeRange {
  double from;  // s from each record's start
  double to;
};

void PrintSamples(const Recording& recording, const ChannelValue& channel, const TimeRange& range, std::FILE* out);
void PrintEvents(const Recording& recording, const ChannelValue& channel, const TimeRange& range, std::FILE* out);

}  // namespace PendrelHost

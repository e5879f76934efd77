// Writes a calculated channel of a data document, found by its name, as CSV text like any
// event channel: `record,tick,time_s,value`, the values as the channel's 16-bit samples hold
// them, in the classic locale.
#pragma once

#include <cstdio>
#include <string_view>

#include "host/cli/channel_printer.h"
#include "host/document/data_document.h"

namespace PendrelHost {

// Throws ChannelError when no calculated channel has that name or the channel fails.
void PrintCalculatedChannel(DataDocument& document, std::string_view name, const TimeRange& range,
                            std::FILE* out);

}  // namespace PendrelHost

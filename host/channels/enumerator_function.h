// A registered calculated event enumerator called as a function: its channel parameters first,
// then its numbers.
#pragma once

#include <string_view>
#include <vector>

#include "host/channels/channel_value.h"
#include "host/channels/compile_context.h"
#include "host/channels/event_enumerator.h"

namespace PendrelHost {

// Throws ChannelError for arguments that do not fit.
ChannelValue CallEnumeratorFunction(std::shared_ptr<const EventEnumeratorClass> enumeratorClass, std::string_view name,
                                    std::vector<ChannelValue> arguments, const CompileContext& context);

}  // namespace PendrelHost

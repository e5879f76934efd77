// Turns a parsed formula into the stages that compute it. Numbers fold where both sides of an
// operation are numbers; a number next to a channel becomes a constant channel.
#pragma once

#include "host/channels/channel_value.h"
#include "host/channels/compile_context.h"
#include "host/channels/formula.h"

namespace PendrelHost {

// Throws ChannelError for unknown names, arguments that do not fit, and events in arithmetic.
ChannelValue CompileFormula(const Formula& formula, const CompileContext& context);

}  // namespace PendrelHost

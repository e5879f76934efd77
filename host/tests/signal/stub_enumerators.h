// Two small calculated event enumerators, registered as modules register theirs, to drive the
// host's enumerator functions: Crossings(signal, level) marks each upward crossing of a level,
// and Delayed(events, ticks) moves reference events later.
#pragma once

#include <memory>

#include "host/channels/event_enumerator.h"

namespace PendrelHost::Testing {

std::shared_ptr<const EventEnumeratorClass> CrossingsClass();
std::shared_ptr<const EventEnumeratorClass> DelayedClass();

}  // namespace PendrelHost::Testing

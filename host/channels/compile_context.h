// What compiling a formula needs from the document: its recording, the cache its stages keep
// their blocks in, the registered enumerator classes, and a way to find channels by name.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/channels/block_cache.h"
#include "host/channels/channel_value.h"
#include "host/channels/event_enumerator_registry.h"
#include "host/recording/recording.h"

namespace PendrelHost {

struct CompileContext {
  const Recording& recording;
  std::shared_ptr<BlockCache> cache;
  const EventEnumeratorRegistry& registry;
  // Throws ChannelError when there is no such channel or it fails.
  std::function<ChannelValue(const std::string& name)> resolveName;
  // Ch<n> and RCh<n> past the recording's sampled channels, where the document numbers more
  // channels; nothing when it has no channel n. Unset: only the sampled channels are numbered.
  std::function<std::optional<ChannelValue>(std::size_t number)> resolveNumber;
};

}  // namespace PendrelHost

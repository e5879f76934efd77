// How the module sees a document's channels: one index space in which the recording's sampled
// channels come first, then its event channels, then the computed channels in the order they
// were added. A computed channel keeps its index for its life, since the module keeps channel
// references, and a deleted channel's index is never given to another.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "host/channels/computed_channels.h"
#include "platform/pendrel/data_source.h"

namespace PendrelHost {

// The kind word of every channel reference the document gives out.
constexpr DWORD kChannelKind = 0xC0000000;

struct DocumentChannel {
  enum class Kind { Sampled, Events, Computed };
  Kind kind;
  std::size_t index;  // among the channels of its kind
};

class ChannelIndexSpace {
 public:
  ChannelIndexSpace(const Recording& recording, const ComputedChannels& channels)
      : m_recording(recording), m_channels(channels) {}

  // Nothing for an index that no channel has (any more).
  std::optional<DocumentChannel> Resolve(DWORD index) const;
  DWORD IndexOf(const DocumentChannel& channel) const;
  PendrelChannelRef Reference(const DocumentChannel& channel) const {
    return {IndexOf(channel), kChannelKind};
  }

  // The channel of a name, in any case: computed channels first, then the recording's.
  std::optional<DocumentChannel> Find(std::string_view name) const;
  std::optional<DocumentChannel> FindSource(std::string_view name) const;
  std::string Name(const DocumentChannel& channel) const;
  std::string Unit(const DocumentChannel& channel) const;

 private:
  const Recording& m_recording;
  const ComputedChannels& m_channels;
};

}  // namespace PendrelHost

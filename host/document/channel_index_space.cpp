#include "host/document/channel_index_space.h"

#include "host/channels/name_compare.h"

namespace PendrelHost {

std::optional<DocumentChannel> ChannelIndexSpace::Resolve(DWORD index) const {
  std::size_t i = index;
  if (i < m_recording.ChannelCount()) return DocumentChannel{DocumentChannel::Kind::Sampled, i};
  i -= m_recording.ChannelCount();
  if (i < m_recording.EventChannelCount()) return DocumentChannel{DocumentChannel::Kind::Events, i};
  i -= m_recording.EventChannelCount();
  if (m_channels.Exists(i)) return DocumentChannel{DocumentChannel::Kind::Computed, i};
  return std::nullopt;
}

DWORD ChannelIndexSpace::IndexOf(const DocumentChannel& channel) const {
  std::size_t index = channel.index;
  if (channel.kind != DocumentChannel::Kind::Sampled) index += m_recording.ChannelCount();
  if (channel.kind == DocumentChannel::Kind::Computed) index += m_recording.EventChannelCount();
  return static_cast<DWORD>(index);
}

std::optional<DocumentChannel> ChannelIndexSpace::Find(std::string_view name) const {
  if (const auto computed = m_channels.Find(name))
    return DocumentChannel{DocumentChannel::Kind::Computed, *computed};
  return FindSource(name);
}

std::optional<DocumentChannel> ChannelIndexSpace::FindSource(std::string_view name) const {
  for (std::size_t i = 0; i < m_recording.ChannelCount(); ++i) {
    if (SameName(m_recording.Channel(i).title, name))
      return DocumentChannel{DocumentChannel::Kind::Sampled, i};
  }
  for (std::size_t i = 0; i < m_recording.EventChannelCount(); ++i) {
    if (SameName(m_recording.EventChannel(i).title, name))
      return DocumentChannel{DocumentChannel::Kind::Events, i};
  }
  return std::nullopt;
}

std::string ChannelIndexSpace::Name(const DocumentChannel& channel) const {
  switch (channel.kind) {
    case DocumentChannel::Kind::Sampled:
      return m_recording.Channel(channel.index).title;
    case DocumentChannel::Kind::Events:
      return m_recording.EventChannel(channel.index).title;
    case DocumentChannel::Kind::Computed:
      break;
  }
  return m_channels.Name(channel.index);
}

std::string ChannelIndexSpace::Unit(const DocumentChannel& channel) const {
  switch (channel.kind) {
    case DocumentChannel::Kind::Sampled:
      return m_recording.Channel(channel.index).unit;
    case DocumentChannel::Kind::Events:
      return m_recording.EventChannel(channel.index).unit;
    case DocumentChannel::Kind::Computed:
      break;
  }
  return m_channels.Unit(channel.index);
}

}  // namespace PendrelHost

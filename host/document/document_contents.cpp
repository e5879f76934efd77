#include "host/document/document_contents.h"

#include "host/channels/channel_error.h"
#include "host/channels/source_channel_node.h"
#include "host/channels/source_event_node.h"
#include "host/document/arithmetic_calculation.h"

namespace PendrelHost {

DocumentContents::DocumentContents(std::shared_ptr<Recording> recording)
    : m_recording(std::move(recording)),
      m_channels(*m_recording, m_enumerators),
      m_space(*m_recording, m_channels) {
  // A channel reference the module writes as Ch<n> names any channel of the index space.
  m_channels.SetChannelNumbering([this](std::size_t number) -> std::optional<std::string> {
    if (number == 0 || number > 0xFFFFFFFFu) return std::nullopt;
    const std::optional<DocumentChannel> channel = m_space.Resolve(static_cast<DWORD>(number - 1));
    if (!channel) return std::nullopt;
    return m_space.Name(*channel);
  });
}

DocumentContents::~DocumentContents() {
  // A calculation the module still holds must not reach channels that are gone.
  for (auto& [computed, state] : m_states) UnbindCalculation(state.calculation.get());
}

std::optional<ChannelValue> DocumentContents::ValueOf(const DocumentChannel& channel) {
  switch (channel.kind) {
    case DocumentChannel::Kind::Sampled:
      return ChannelValue{
          std::nullopt, std::make_shared<SourceChannelNode>(*m_recording, channel.index), nullptr};
    case DocumentChannel::Kind::Events:
      return ChannelValue{std::nullopt, nullptr,
                          std::make_shared<SourceEventNode>(*m_recording, channel.index)};
    case DocumentChannel::Kind::Computed:
      break;
  }
  try {
    return m_channels.Channel(channel.index);
  } catch (const ChannelError&) {
    return std::nullopt;
  }
}

void DocumentContents::Remove(std::size_t computed) {
  const auto state = m_states.find(computed);
  if (state != m_states.end()) {
    UnbindCalculation(state->second.calculation.get());
    m_states.erase(state);
  }
  m_links.Forget(m_space.IndexOf({DocumentChannel::Kind::Computed, computed}));
  m_channels.Remove(computed);
}

}  // namespace PendrelHost

// What one open recording document holds: the recording, its computed channels and the
// enumerator classes their formulas may call, the one index space the module sees them in, and
// what extensions set on channels (held flags, calculations, event links).
#pragma once

#include <map>
#include <memory>

#include "host/channels/computed_channels.h"
#include "host/channels/event_enumerator_registry.h"
#include "host/document/channel_index_space.h"
#include "host/document/computed_channel_state.h"
#include "host/document/event_links.h"
#include "host/recording/recording.h"

namespace PendrelHost {

class DocumentSubject;

class DocumentContents {
 public:
  // The recording may be shared with whatever samples into it.
  explicit DocumentContents(std::shared_ptr<Recording> recording);
  ~DocumentContents();
  DocumentContents(const DocumentContents&) = delete;
  DocumentContents& operator=(const DocumentContents&) = delete;

  const Recording& Source() const { return *m_recording; }
  std::shared_ptr<Recording> SharedSource() const { return m_recording; }
  // For the host's own changes to the recording (its selection).
  Recording& EditableSource() { return *m_recording; }
  ComputedChannels& Channels() { return m_channels; }
  EventEnumeratorRegistry& Enumerators() { return m_enumerators; }
  const ChannelIndexSpace& Space() const { return m_space; }
  EventLinks& Links() { return m_links; }

  bool HasRecord(LONG record) const {
    return record >= 0 && std::size_t(record) < m_recording->RecordCount();
  }
  // What a channel reads as; nothing when a computed channel fails (it keeps the reason, which
  // Channels().Failure() tells).
  std::optional<ChannelValue> ValueOf(const DocumentChannel& channel);

  // The state of an existing computed channel.
  ComputedChannelState& StateOf(std::size_t computed) { return m_states[computed]; }
  // Deletes a computed channel with everything set on it.
  void Remove(std::size_t computed);

  // Where the faces raise the host's data events; null until the document sets it.
  DocumentSubject* Events() const { return m_events; }
  void SetEvents(DocumentSubject* events) { m_events = events; }

 private:
  std::shared_ptr<Recording> m_recording;
  EventEnumeratorRegistry m_enumerators;
  ComputedChannels m_channels;
  ChannelIndexSpace m_space;
  EventLinks m_links;
  std::map<std::size_t, ComputedChannelState> m_states;
  DocumentSubject* m_events = nullptr;
};

}  // namespace PendrelHost

#include "host/cli/event_marks.h"

#include <cstdio>

#include "host/channels/channel_error.h"
#include "host/channels/event_cursor.h"
#include "host/document/channel_index_space.h"
#include "host/framework/held_reference.h"
#include "host/framework/host_text.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/win32/com_runtime.h"

namespace PendrelHost {

namespace {

constexpr std::size_t kEventsPerRead = 256;

// The draw class registered under the type word, as the host's class registry finds it.
Quor::ComPtr<IPODEventDrawClass> DrawClassOf(uint32_t typeWord) {
  Quor::ComPtr<IPODEventDrawClass> draw;
  if (typeWord == 0) return draw;
  Quor::ComPtr<ITarnClassRegistry> registry;
  CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, ITarnClassRegistry::iid,
                   Quor::ComPtrOut<ITarnClassRegistry>::Bind(registry));
  if (!registry) return draw;
  Quor::ComPtr<ITarnClassObject> found;
  registry->FindClassObject(typeWord, Quor::ComPtrOut<ITarnClassObject>::Bind(found));
  if (found) found->QueryInterface(IPODEventDrawClass::iid, Quor::ComPtrOut<IPODEventDrawClass>::Bind(draw));
  return draw;
}

// The text of a string object handed over with its reference.
std::string AdoptedUtf8(IQuorString* text) {
  const Tarn::HeldReference<IQuorString> held(text);
  return Tarn::Utf8Of(held.get());
}

}  // namespace

std::string ColourHex(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(colour & 0xFF),
                unsigned((colour >> 8) & 0xFF), unsigned((colour >> 16) & 0xFF));
  return text;
}

MarkedEventChannel::MarkedEventChannel(DataDocument& document, std::size_t computed,
                                       std::shared_ptr<EventNode> events,
                                       Quor::ComPtr<IPODEventDrawClass> draw)
    : m_recording(&document.Source()),
      m_computed(computed),
      m_events(std::move(events)),
      m_draw(std::move(draw)) {}

std::optional<MarkedEventChannel> MarkedEventChannel::Find(DataDocument& document) {
  ComputedChannels& channels = document.Channels();
  for (std::size_t index = 0; index < channels.Count(); ++index) {
    if (!channels.Exists(index)) continue;
    ChannelValue value;
    try {
      value = channels.Channel(index);
    } catch (const ChannelError&) {
      continue;  // a failing channel draws nothing
    }
    if (!value.IsEvents()) continue;
    if (auto draw = DrawClassOf(value.events->EventTypeWord())) {
      return MarkedEventChannel(document, index, value.events, std::move(draw));
    }
  }
  return std::nullopt;
}

EventMark MarkedEventChannel::MarkOf(std::size_t record, const std::byte* event) const {
  const std::size_t size = m_events->RecordSize();
  const int32_t tick = EventTick(event);
  const double ticks = tick + double(EventFraction(event, size));
  EventMark mark{record, tick, m_recording->RecordStartTime(record) + ticks * m_recording->TickPeriod(),
                 0, {}};
  if (FAILED(m_draw->GetMarkColour(0, event, &mark.colour))) mark.colour = 0;
  IQuorString* text = nullptr;
  if (SUCCEEDED(m_draw->GetMarkText(0, 0, 0, event, 0, 0, &text)) && text) {
    mark.tooltip = AdoptedUtf8(text);
  }
  return mark;
}

std::vector<EventMark> MarkedEventChannel::Marks(std::size_t record, int64_t from, int64_t to) const {
  std::vector<EventMark> marks;
  const std::size_t size = m_events->RecordSize();
  std::vector<std::byte> buffer(size * kEventsPerRead);
  EventCursor cursor(m_events, record, from, to);
  while (true) {
    const EventBatch batch = cursor.Next(to, buffer);
    for (std::size_t i = 0; i < batch.fetched; ++i) marks.push_back(MarkOf(record, buffer.data() + i * size));
    if (batch.ended || batch.next >= to || batch.fetched == 0) break;
  }
  return marks;
}

std::vector<EventMark> MarkedEventChannel::AllMarks() const {
  std::vector<EventMark> marks;
  for (std::size_t record = 0; record < m_recording->RecordCount(); ++record) {
    std::vector<EventMark> more = Marks(record, 0, m_recording->TickCount(record));
    marks.insert(marks.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  }
  return marks;
}

std::optional<std::size_t> MarkedEventChannel::ShownOn(DataDocument& document) const {
  for (std::size_t channel = 0; channel < m_recording->ChannelCount(); ++channel) {
    DWORD count = 0;
    for (DWORD i = 0;; ++i) {
      PendrelEventLink link{};
      if (document.EnumerateEventLinks(0, DWORD(channel), kChannelKind, i, &link, &count) != S_OK) break;
      if (link.linkType != kMarkerLinkType) continue;
      IQuorString* marker = nullptr;
      if (FAILED(document.GetChannelName(0, link.markerChannel, kChannelKind, &marker))) continue;
      if (document.Channels().Find(AdoptedUtf8(marker)) == m_computed) return channel;
    }
  }
  return std::nullopt;
}

}  // namespace PendrelHost

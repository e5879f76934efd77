// The marks the host draws for a module's events: a computed event channel whose records are of
// a module's event type with a draw class registered under that type word, the sampled channel
// the document shows those marks on, and each event's mark colour and tooltip text as the draw
// class gives them. The command line writes them beside the beats and into trace pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "host/channels/event_node.h"
#include "host/document/data_document.h"
#include "platform/pendrel/event_draw_class.h"

namespace PendrelHost {

struct EventMark {
  std::size_t record;
  int32_t tick;
  double time;  // s from the document start, with the event's fraction of a tick
  COLORREF colour;
  std::string tooltip;  // UTF-8
};

// "#rrggbb" of a COLORREF (0x00BBGGRR).
std::string ColourHex(COLORREF colour);

class MarkedEventChannel {
 public:
  // The first computed event channel of the document whose events have a draw class; nothing
  // when there is none (no module draws the events of any channel).
  static std::optional<MarkedEventChannel> Find(DataDocument& document);

  // The marks of the record's events in [from, to) ticks, in tick order. A draw class that
  // refuses an event leaves its mark black and without text.
  std::vector<EventMark> Marks(std::size_t record, int64_t from, int64_t to) const;
  // Every record's marks.
  std::vector<EventMark> AllMarks() const;

  // The sampled channel that shows these marks (the first with a marker link from this
  // channel); nothing when the marks are shown on none.
  std::optional<std::size_t> ShownOn(DataDocument& document) const;

 private:
  MarkedEventChannel(DataDocument& document, std::size_t computed,
                     std::shared_ptr<EventNode> events, Quor::ComPtr<IPODEventDrawClass> draw);

  EventMark MarkOf(std::size_t record, const std::byte* event) const;

  const Recording* m_recording;
  std::size_t m_computed;
  std::shared_ptr<EventNode> m_events;
  Quor::ComPtr<IPODEventDrawClass> m_draw;
};

}  // namespace PendrelHost

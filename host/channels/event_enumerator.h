// Calculated event enumerators: event-finding algorithms that modules register with the host
// and that formulas call as functions, by the enumerator's output name. The host gives an
// enumerator its numeric parameters, starts it on a record with cursors over its channel
// parameters, and pulls its events in tick order. These are the host's own terms for what the
// module's enumerator class objects offer; an adapter over those objects implements them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "host/channels/event_cursor.h"
#include "host/channels/sample_cursor.h"

namespace PendrelHost {

enum class SourceKind { Samples, Events };

using EnumeratorSource = std::variant<std::unique_ptr<SampleCursor>, std::unique_ptr<EventCursor>>;

class EventEnumerator {
 public:
  virtual ~EventEnumerator() = default;

  virtual std::size_t RecordSize() const = 0;
  // The type word of its event records; 0 when they are the host's generic events.
  virtual uint32_t EventTypeWord() const { return 0; }
  // Works on `record` from tick 0: its sources in parameter order, its tick period, and whether
  // its data may still grow.
  virtual void StartRecord(std::size_t record, std::vector<EnumeratorSource> sources, double tickPeriod,
                           bool online) = 0;
  // Goes on from `tick` (after the record was started again, once its data was complete).
  virtual void SetPosition(int64_t tick) = 0;
  // The next events before `end`, as many whole records as fit in `buffer`. While the data may
  // still grow, it stops where the sources' data ends (with nothing fetched when it is there).
  virtual EventBatch Next(int64_t end, std::span<std::byte> buffer) = 0;
};

class EventEnumeratorClass {
 public:
  virtual ~EventEnumeratorClass() = default;

  virtual std::string Name() const = 0;
  // The names by which formulas call it, matched without regard to case.
  virtual std::vector<std::string> OutputNames() const = 0;
  // The kinds of the leading parameters, which are channels; the numbers follow them.
  virtual std::vector<SourceKind> ChannelParameters() const = 0;
  virtual std::size_t ParameterCount() const = 0;
  // Whether the two above describe every call. A class that tells only its name (a module's
  // class object) takes the leading channel arguments of each call as its channels, as they
  // are, and the numbers after them.
  virtual bool DescribesParameters() const { return true; }
  // An enumerator for the numbers; throws ChannelError when they do not suit it.
  virtual std::unique_ptr<EventEnumerator> Create(std::span<const double> numbers) const = 0;
};

}  // namespace PendrelHost

#include "host/channels/enumerator_event_node.h"

#include <vector>

#include "host/channels/channel_error.h"

namespace PendrelHost {

namespace {

// Events asked of the enumerator at a time.
constexpr std::size_t kBatchEvents = 64;

class EnumeratorPass : public ProgressiveEventNode::Pass {
 public:
  EnumeratorPass(const Recording& recording, std::size_t record, std::unique_ptr<EventEnumerator> enumerator,
                 const std::vector<EnumeratorInput>& inputs)
      : m_recording(recording), m_record(record), m_enumerator(std::move(enumerator)), m_inputs(inputs) {
    m_buffer.resize(kBatchEvents * m_enumerator->RecordSize());
  }

  int64_t Advance(int64_t tick, EventRecords& events) override {
    StartIfNeeded();
    const std::size_t size = m_enumerator->RecordSize();
    while (true) {
      const EventBatch batch = m_enumerator->Next(tick, m_buffer);
      for (std::size_t i = 0; i < batch.fetched; ++i) events.Append(m_buffer.data() + i * size);
      m_position = batch.next;
      if (batch.ended) return kAllSettled;
      if (batch.fetched == kBatchEvents && batch.next < tick) continue;
      // An enumerator that stops short of `tick` in a complete record will give nothing more.
      if (batch.next < tick && !m_online) return kAllSettled;
      return batch.next;
    }
  }

 private:
  // The enumerator starts online while the record grows, and again, from where it was, once
  // the record is complete, so that it finishes the record's end.
  void StartIfNeeded() {
    const bool online = !m_recording.IsClosed(m_record);
    if (m_started && m_online == online) return;
    m_enumerator->StartRecord(m_record, Sources(), m_recording.TickPeriod(), online);
    if (m_started) m_enumerator->SetPosition(m_position);
    m_started = true;
    m_online = online;
  }

  std::vector<EnumeratorSource> Sources() const {
    std::vector<EnumeratorSource> sources;
    for (const EnumeratorInput& input : m_inputs) {
      if (input.samples) {
        sources.emplace_back(std::make_unique<SampleCursor>(input.samples, m_record, 0));
      } else {
        sources.emplace_back(std::make_unique<EventCursor>(input.events, m_record, 0, kAllSettled));
      }
    }
    return sources;
  }

  const Recording& m_recording;
  std::size_t m_record;
  std::unique_ptr<EventEnumerator> m_enumerator;
  const std::vector<EnumeratorInput>& m_inputs;
  std::vector<std::byte> m_buffer;
  bool m_started = false;
  bool m_online = false;
  int64_t m_position = 0;
};

}  // namespace

EnumeratorEventNode::EnumeratorEventNode(const Recording& recording,
                                         std::shared_ptr<const EventEnumeratorClass> enumeratorClass,
                                         std::vector<EnumeratorInput> inputs, std::vector<double> numbers)
    : m_recording(recording),
      m_class(std::move(enumeratorClass)),
      m_inputs(std::move(inputs)),
      m_numbers(std::move(numbers)) {
  // Made once here so that numbers the class refuses fail the channel when it is defined.
  const std::unique_ptr<EventEnumerator> probe = m_class->Create(m_numbers);
  if (!probe) throw ChannelError(m_class->Name() + " made no enumerator");
  m_recordSize = probe->RecordSize();
  m_typeWord = probe->EventTypeWord();
  if (m_recordSize < sizeof(int32_t)) throw ChannelError(m_class->Name() + " gives events without a tick");
}

std::unique_ptr<ProgressiveEventNode::Pass> EnumeratorEventNode::StartPass(std::size_t record) {
  std::unique_ptr<EventEnumerator> enumerator = m_class->Create(m_numbers);
  if (!enumerator) throw ChannelError(m_class->Name() + " made no enumerator");
  return std::make_unique<EnumeratorPass>(m_recording, record, std::move(enumerator), m_inputs);
}

}  // namespace PendrelHost

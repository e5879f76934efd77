#include "host/tests/signal/stub_enumerators.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "host/channels/channel_error.h"

namespace PendrelHost::Testing {

namespace {

void Write(std::span<std::byte> buffer, std::size_t index, int64_t tick, double value) {
  const EventRecord record{static_cast<int32_t>(tick), 0.0f, value};
  std::memcpy(buffer.data() + index * sizeof record, &record, sizeof record);
}

// Reads its signal as it comes; while the record grows it stops where the samples end.
class Crossings : public EventEnumerator {
 public:
  explicit Crossings(double level) : m_level(level) {}

  std::size_t RecordSize() const override { return sizeof(EventRecord); }
  void StartRecord(std::size_t, std::vector<EnumeratorSource> sources, double, bool online) override {
    m_signal = std::move(std::get<std::unique_ptr<SampleCursor>>(sources.at(0)));
    m_online = online;
    m_previous = m_level;
  }
  void SetPosition(int64_t tick) override {
    m_signal->Skip(tick - 1 - m_signal->Position());
    float value = static_cast<float>(m_level);
    if (tick > 0) m_signal->Read(std::span<float>(&value, 1));
    m_previous = value;
  }
  EventBatch Next(int64_t end, std::span<std::byte> buffer) override {
    EventBatch batch;
    const std::size_t capacity = buffer.size() / RecordSize();
    float value;
    while (batch.fetched < capacity && m_signal->Position() < end) {
      const int64_t tick = m_signal->Position();
      if (m_signal->Read(std::span<float>(&value, 1)) == 0) {
        batch.ended = !m_online;
        break;
      }
      if (m_previous < m_level && value >= m_level) Write(buffer, batch.fetched++, tick, value);
      m_previous = value;
    }
    batch.next = m_signal->Position();
    return batch;
  }

 private:
  double m_level;
  std::unique_ptr<SampleCursor> m_signal;
  bool m_online = false;
  double m_previous = 0.0;
};

class Delayed : public EventEnumerator {
 public:
  explicit Delayed(double delay) : m_delay(std::llround(delay)) {}

  std::size_t RecordSize() const override { return sizeof(EventRecord); }
  void StartRecord(std::size_t, std::vector<EnumeratorSource> sources, double, bool) override {
    m_reference = std::move(std::get<std::unique_ptr<EventCursor>>(sources.at(0)));
  }
  void SetPosition(int64_t tick) override { m_reference->Seek(false, tick - m_delay, 0, kAllSettled); }
  EventBatch Next(int64_t end, std::span<std::byte> buffer) override {
    EventBatch batch = m_reference->Next(end - m_delay, buffer);
    for (std::size_t i = 0; i < batch.fetched; ++i) {
      EventRecord record;
      std::memcpy(&record, buffer.data() + i * sizeof record, sizeof record);
      record.tick += static_cast<int32_t>(m_delay);
      std::memcpy(buffer.data() + i * sizeof record, &record, sizeof record);
    }
    batch.next += m_delay;
    return batch;
  }

 private:
  int64_t m_delay;
  std::unique_ptr<EventCursor> m_reference;
};

template <typename Enumerator>
class StubClass : public EventEnumeratorClass {
 public:
  StubClass(std::string name, std::string output, SourceKind source)
      : m_name(std::move(name)), m_output(std::move(output)), m_source(source) {}

  std::string Name() const override { return m_name; }
  std::vector<std::string> OutputNames() const override { return {m_output}; }
  std::vector<SourceKind> ChannelParameters() const override { return {m_source}; }
  std::size_t ParameterCount() const override { return 2; }
  std::unique_ptr<EventEnumerator> Create(std::span<const double> numbers) const override {
    if (numbers.size() != 1) throw ChannelError("expects one number");
    if (numbers[0] < 0) throw ChannelError("a negative number does not suit it");
    return std::make_unique<Enumerator>(numbers[0]);
  }

 private:
  std::string m_name;
  std::string m_output;
  SourceKind m_source;
};

}  // namespace

std::shared_ptr<const EventEnumeratorClass> CrossingsClass() {
  return std::make_shared<StubClass<Crossings>>("TestCrossingsEnum", "Crossings", SourceKind::Samples);
}

std::shared_ptr<const EventEnumeratorClass> DelayedClass() {
  return std::make_shared<StubClass<Delayed>>("TestDelayedEnum", "Delayed", SourceKind::Events);
}

}  // namespace PendrelHost::Testing

// Host enumerators over data held in memory, standing in for the host's channels: a sampled
// channel (IEnumFloatEx) and an event channel (IEnumEventEx). Both can model a record that is
// still growing, and count the host calls made on them.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/pendrel/data_source.h"
#include "platform/win32/com_object.h"

namespace testing_sources {

struct CallCounts {
  int next = 0;
  int skip = 0;
  int seek = 0;
};

// Samples [0, available) exist; `available` may grow while a record is sampled.
struct SampleData {
  std::vector<float> samples;
  std::size_t available = 0;
  CallCounts calls;
};

class InMemoryFloats final : public SimpleUnknownImp1<IEnumFloatEx, 1> {
 public:
  InMemoryFloats(std::shared_ptr<SampleData> data, LONG position)
      : m_data(std::move(data)), m_position(position) {}

  HRESULT Clone(IEnumFloatEx** copy) override {
    *copy = new InMemoryFloats(m_data, m_position);
    return S_OK;
  }
  HRESULT Skip(int n, int* skipped) override {
    ++m_data->calls.skip;
    const LONG target = std::clamp<LONG>(m_position + n, 0, LONG(m_data->available));
    if (skipped) *skipped = target - m_position;
    const bool all = target - m_position == n;
    m_position = target;
    return all ? S_OK : S_FALSE;
  }
  HRESULT GetPosition(DWORD* position) override {
    *position = DWORD(m_position);
    return S_OK;
  }
  HRESULT GetReservedWord(DWORD* word) override {
    *word = 0;
    return E_NOTIMPL;
  }
  HRESULT Reserved5() override { return E_NOTIMPL; }
  HRESULT Next(int n, float* values, int* fetched) override {
    ++m_data->calls.next;
    const int count = std::max(0, std::min<int>(n, int(m_data->available) - m_position));
    std::copy_n(m_data->samples.begin() + m_position, count, values);
    m_position += count;
    *fetched = count;
    return count < n ? S_FALSE : S_OK;
  }

 private:
  std::shared_ptr<SampleData> m_data;
  LONG m_position;
};

// Plain event records: int32 tick, float32 fraction, float64 value.
struct PlainEvent {
  LONG tick;
  float fraction;
  double value;
};
static_assert(sizeof(PlainEvent) == 16);

// Records sorted by tick; the first `available` exist. A closed channel answers S_FALSE at its
// end, a growing one S_OK with nothing.
struct EventData {
  DWORD recordSize = sizeof(PlainEvent);
  std::vector<BYTE> bytes;
  std::size_t available = 0;
  bool growing = false;
  PendrelRateRatio ratio{1, 1, 1.0};
  CallCounts calls;

  std::size_t Count() const { return std::min(available, bytes.size() / recordSize); }
  LONG TickAt(std::size_t i) const {
    LONG tick;
    std::memcpy(&tick, &bytes[i * recordSize], sizeof tick);
    return tick;
  }
  template <class T>
  void Add(const T& record) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&record);
    bytes.insert(bytes.end(), p, p + sizeof(T));
    available = bytes.size() / recordSize;
  }
};

class InMemoryEvents final : public SimpleUnknownImp1<IEnumEventEx, 1> {
 public:
  InMemoryEvents(std::shared_ptr<EventData> data, LONG start)
      : m_data(std::move(data)), m_cursor(FirstAtOrAfter(start)) {}

  HRESULT Next(int bytes, LONG end, void* buffer, int* fetched, LONG* next) override {
    ++m_data->calls.next;
    if (end < 0) end = kRecordEndOffset;
    const int capacity = bytes / int(m_data->recordSize);
    int count = 0;
    while (count < capacity && m_cursor < m_data->Count() && m_data->TickAt(m_cursor) < end) {
      std::memcpy(static_cast<BYTE*>(buffer) + count * m_data->recordSize,
                  &m_data->bytes[m_cursor * m_data->recordSize], m_data->recordSize);
      ++count;
      ++m_cursor;
    }
    *fetched = count;
    if (m_cursor < m_data->Count()) {
      *next = std::min(m_data->TickAt(m_cursor), end);
      return S_OK;
    }
    if (m_data->growing) {
      *next = count ? m_data->TickAt(m_cursor - 1) + 1 : Position();
      return S_OK;
    }
    *next = kRecordEndOffset;
    return S_FALSE;
  }
  HRESULT Seek(BOOL backward, LONG pos, LONG from, LONG to) override {
    ++m_data->calls.seek;
    if (!backward) {
      const std::size_t i = FirstAtOrAfter(std::max(pos, from));
      if (i >= m_data->Count() || m_data->TickAt(i) >= to) return S_FALSE;
      m_cursor = i;
      return S_OK;
    }
    const std::size_t i = FirstAtOrAfter(std::min(pos, to));
    if (i == 0 || m_data->TickAt(i - 1) < from) return S_FALSE;
    m_cursor = i - 1;
    return S_OK;
  }
  HRESULT GetPosition(LONG* position) override {
    *position = Position();
    return S_OK;
  }
  HRESULT GetReservedObject(IUnknown** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
  HRESULT Clone(IEnumEventEx** copy) override {
    auto* clone = new InMemoryEvents(m_data, 0);
    clone->m_cursor = m_cursor;
    *copy = clone;
    return S_OK;
  }
  HRESULT GetEventSize(DWORD* bytes) override {
    *bytes = m_data->recordSize;
    return S_OK;
  }
  HRESULT GetEventTypeId(DWORD* type) override {
    *type = 0;
    return S_OK;
  }
  HRESULT GetReservedObject2(IUnknown** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetRateRatio(PendrelRateRatio* ratio) override {
    *ratio = m_data->ratio;
    return S_OK;
  }

 private:
  std::size_t FirstAtOrAfter(LONG tick) const {
    std::size_t i = 0;
    while (i < m_data->Count() && m_data->TickAt(i) < tick) ++i;
    return i;
  }
  LONG Position() const {
    if (m_cursor < m_data->Count()) return m_data->TickAt(m_cursor);
    if (!m_data->growing) return kRecordEndOffset;
    return m_cursor ? m_data->TickAt(m_cursor - 1) + 1 : 0;
  }

  std::shared_ptr<EventData> m_data;
  std::size_t m_cursor;
};

}  // namespace testing_sources

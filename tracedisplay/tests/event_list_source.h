// Record data for the event drawer's tests: records of given lengths, each with a list of events
// (tick, fraction, value) of one event type, read through a simple event enumerator. It logs
// the enumerators it opens.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/pendrel/data_source.h"
#include "platform/pendrel/event_record.h"
#include "platform/win32/com_object.h"

class EventListEnumerator final : public SimpleUnknownImp1<IEnumEventEx, 0> {
 public:
  EventListEnumerator(std::vector<PendrelEventRecord> events, LONG start, DWORD type)
      : m_events(std::move(events)), m_type(type) {
    m_events.erase(std::remove_if(m_events.begin(), m_events.end(),
                                  [&](const PendrelEventRecord& e) { return e.tick < start; }),
                   m_events.end());
  }
  HRESULT Next(int bytes, LONG, void* buffer, int* fetched, LONG* next) override {
    const std::size_t room = std::size_t(bytes) / sizeof(PendrelEventRecord);
    const std::size_t count = std::min(room, m_events.size() - m_position);
    std::memcpy(buffer, m_events.data() + m_position, count * sizeof(PendrelEventRecord));
    m_position += count;
    *fetched = int(count);
    *next = m_position < m_events.size() ? m_events[m_position].tick : kRecordEndOffset;
    return m_position < m_events.size() ? S_OK : S_FALSE;
  }
  HRESULT Seek(BOOL, LONG pos, LONG, LONG) override {
    m_position = 0;
    while (m_position < m_events.size() && m_events[m_position].tick < pos) ++m_position;
    return m_position < m_events.size() ? S_OK : S_FALSE;
  }
  HRESULT GetPosition(LONG*) override { return E_NOTIMPL; }
  HRESULT GetReservedObject(IUnknown**) override { return E_NOTIMPL; }
  HRESULT Clone(IEnumEventEx** copy) override {
    auto* twin = new EventListEnumerator(m_events, 0, m_type);
    twin->m_position = m_position;
    twin->AddRef();
    *copy = twin;
    return S_OK;
  }
  HRESULT GetEventSize(DWORD* bytes) override {
    *bytes = sizeof(PendrelEventRecord);
    return S_OK;
  }
  HRESULT GetEventTypeId(DWORD* type) override {
    *type = m_type;
    return S_OK;
  }
  HRESULT GetReservedObject2(IUnknown**) override { return E_NOTIMPL; }
  HRESULT GetRateRatio(PendrelRateRatio*) override { return E_NOTIMPL; }

 private:
  std::vector<PendrelEventRecord> m_events;
  std::size_t m_position = 0;
  DWORD m_type;
};

class EventListSource final : public NoDeleteUnknownImp1<IPendrelDataSource> {
 public:
  struct Record {
    LONG ticks;
    std::vector<PendrelEventRecord> events;
  };
  explicit EventListSource(std::vector<Record> records, DWORD type = 0)
      : records(std::move(records)), eventType(type) {}

  HRESULT GetRecordCount(LONG* count) override {
    *count = LONG(records.size());
    return S_OK;
  }
  HRESULT GetRecordInfo(LONG record, PendrelRecordInfo* info) override {
    if (record < 0 || std::size_t(record) >= records.size()) return E_INVALIDARG;
    *info = {};
    info->tickPeriod = 0.001;
    return S_OK;
  }
  HRESULT GetCurrentRecord(LONG* record) override {
    *record = latestRecord;
    return S_OK;
  }
  HRESULT GetEndOfData(DWORD, LONG record, LONG* end) override {
    if (record < 0 || std::size_t(record) >= records.size()) return E_INVALIDARG;
    *end = records[std::size_t(record)].ticks;
    return S_OK;
  }
  HRESULT OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start, LONG end,
                              DWORD kind, IUnknown** enumerator) override {
    opened.push_back(std::to_string(channel.index) + "/" + std::to_string(channel.kind) + " r" +
                     std::to_string(record) + " " + std::to_string(start) + ".." +
                     std::to_string(end) + " k" + std::to_string(kind));
    if (record < 0 || std::size_t(record) >= records.size()) return E_INVALIDARG;
    auto* events = new EventListEnumerator(records[std::size_t(record)].events, start, eventType);
    events->AddRef();
    *enumerator = events;
    return S_OK;
  }
  HRESULT OpenFloatEnumerator(PendrelChannelRef, LONG, LONG, IEnumFloatEx**) override {
    return E_NOTIMPL;
  }
  HRESULT GetDataEnd(DWORD, LONG*, LONG*) override { return E_NOTIMPL; }
  HRESULT IsValidRange(LONG, LONG, LONG, LONG) override { return E_NOTIMPL; }

  std::vector<Record> records;
  DWORD eventType;
  LONG latestRecord = -1;
  std::vector<std::string> opened;
};

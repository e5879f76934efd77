// A data source of records with given lengths and no samples, for the pixel arithmetic of data
// views over recordings of any length (a 36-hour record included).
#pragma once

#include <vector>

#include "platform/pendrel/data_source.h"
#include "platform/win32/com_object.h"

class RecordLengthsSource final : public NoDeleteUnknownImp1<IPendrelDataSource> {
 public:
  explicit RecordLengthsSource(std::vector<LONG> ticks, double tickPeriod = 0.001)
      : m_ticks(std::move(ticks)), m_tickPeriod(tickPeriod) {}

  HRESULT GetRecordCount(LONG* count) override {
    *count = LONG(m_ticks.size());
    return S_OK;
  }
  HRESULT GetRecordInfo(LONG record, PendrelRecordInfo* info) override {
    if (record < 0 || std::size_t(record) >= m_ticks.size()) return E_INVALIDARG;
    *info = {};
    info->tickPeriod = m_tickPeriod;
    info->startTime = 100.0 * record;
    return S_OK;
  }
  HRESULT GetCurrentRecord(LONG* record) override {
    *record = LONG(m_ticks.size()) - 1;
    return S_OK;
  }
  HRESULT GetEndOfData(DWORD, LONG record, LONG* end) override {
    if (record < 0 || std::size_t(record) >= m_ticks.size()) return E_INVALIDARG;
    *end = m_ticks[std::size_t(record)];
    return S_OK;
  }
  HRESULT OpenEventEnumerator(PendrelChannelRef, LONG, LONG, LONG, DWORD, IUnknown**) override {
    return E_NOTIMPL;
  }
  HRESULT OpenFloatEnumerator(PendrelChannelRef, LONG, LONG, IEnumFloatEx**) override {
    return E_NOTIMPL;
  }
  HRESULT GetDataEnd(DWORD, LONG*, LONG*) override { return E_NOTIMPL; }
  HRESULT IsValidRange(LONG, LONG, LONG, LONG) override { return E_NOTIMPL; }

 private:
  std::vector<LONG> m_ticks;
  double m_tickPeriod;
};

#include "host/traces/numbered_marks.h"

namespace PendrelHost {

HRESULT NumberedMarks::GetMarkCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = LONG(m_places.size());
  return S_OK;
}

HRESULT NumberedMarks::GetMarkSizes(LONGLONG* total, LONG* unit) {
  if (!total || !unit) return E_POINTER;
  *total = m_total;
  *unit = m_unit;
  return S_OK;
}

HRESULT NumberedMarks::GetMarkPosition(LONG index, LONG* record, LONG* tick) {
  if (!record || !tick) return E_POINTER;
  if (index < 0 || std::size_t(index) >= m_places.size()) return E_INVALIDARG;
  *record = m_places[std::size_t(index)].record;
  *tick = m_places[std::size_t(index)].tick;
  return S_OK;
}

void NumberedMarks::Set(std::vector<MarkPlace> places, LONGLONG total, LONG unit) {
  m_places = std::move(places);
  m_total = total;
  m_unit = unit;
}

}  // namespace PendrelHost

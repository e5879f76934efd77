#include "host/traces/trace_record_range.h"

#include <algorithm>

#include "host/traces/trace_data_view.h"

namespace PendrelHost {

TraceRecordRange::TraceRecordRange(IPendrelTraceRecordData* data, const TracePositionRange& range)
    : m_data(Tarn::Hold(data)), m_range(range) {}

HRESULT TraceRecordRange::GetExtremes(DWORD address, LONG, LONG channel,
                                      PendrelValueExtremes* answer) {
  if (!answer) return E_POINTER;
  bool found = false;
  double low = 0.0, high = 0.0;
  for (LONG record = m_range.startRecord; record <= m_range.endRecord; ++record) {
    const LONG start = record == m_range.startRecord ? m_range.startTick : 0;
    const LONG end = record == m_range.endRecord ? m_range.endTick : kRecordEndOffset;
    double recordLow = 0.0, recordHigh = 0.0;
    const HRESULT result =
        m_data->GetValueExtremes(address, channel, record, start, end, &recordLow, &recordHigh);
    if (FAILED(result)) return result;
    if (result != S_OK) continue;
    low = found ? std::min(low, recordLow) : recordLow;
    high = found ? std::max(high, recordHigh) : recordHigh;
    found = true;
  }
  if (!found) return S_FALSE;
  *answer = {low, high, 1.0, 0.0};
  return S_OK;
}

HRESULT TraceDataView::GetRecordRange(LONGLONG first, LONGLONG end,
                                      IPendrelTraceRecordRange** range) {
  if (!range) return E_POINTER;
  *range = nullptr;
  IPendrelTraceRecordData* data = nullptr;
  if (m_recordData) {
    m_recordData->QueryInterface(IPendrelTraceRecordData::iid, reinterpret_cast<void**>(&data));
  }
  const Tarn::HeldReference<IPendrelTraceRecordData> held(data);
  LONGLONG extent = 0;
  GetDataExtent(&extent);
  end = std::min(end, extent);
  TracePositionRange positions{};
  PendrelTraceRecordInfo last{};
  if (!data || first >= end ||
      PixelToPosition(first, &positions.startRecord, &positions.startTick) != S_OK ||
      PixelToPosition(end - 1, &positions.endRecord, &positions.endTick) != S_OK ||
      FAILED(GetRecordInformation(positions.endRecord, &last))) {
    return S_FALSE;
  }
  // The range ends with the last tick its last pixel shows: pixel q shows the ticks from
  // ceil(q c) to ceil((q + 1) c) at c ticks per pixel.
  const __int128 pixels = end - last.firstPixel;
  positions.endTick = LONG(std::min<__int128>((pixels * m_ticks + m_pixels - 1) / m_pixels, last.tickCount));
  *range = new TraceRecordRange(data, positions);
  (*range)->AddRef();
  return S_OK;
}

}  // namespace PendrelHost

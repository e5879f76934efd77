#include "host/traces/trace_data_view.h"

#include <string>

#include "host/framework/call_log.h"
#include "host/framework/call_arguments.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "TraceDataView";

// floor(a / b) for b > 0.
LONGLONG FloorDiv(LONGLONG a, LONGLONG b) {
  const LONGLONG q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

}  // namespace

TraceDataView::TraceDataView(IPendrelDataSource* records, IPendrelChannelData* channels,
                             IUnknown* recordData)
    : SimpleUnknownImpBase(0),
      m_records(Tarn::Hold(records)),
      m_channels(Tarn::Hold(channels)),
      m_recordData(Tarn::Hold(recordData)),
      m_marks(Tarn::Hold(new NumberedMarks())),
      m_timeBase(Tarn::Hold(new TraceTimeBase(records))) {}

HRESULT TraceDataView::QueryInterface(REFIID iid, void** object) {
  const HRESULT own = SimpleUnknownImpBase::QueryInterface(iid, object);
  if (own != E_NOINTERFACE) return own;
  if (iid == IPendrelNumberedMarks::iid) return m_marks->QueryInterface(iid, object);
  if (iid == IPendrelTraceTimeBase::iid) return m_timeBase->QueryInterface(iid, object);
  return E_NOINTERFACE;
}

std::vector<LONGLONG> TraceDataView::RecordTicks() const {
  std::vector<LONGLONG> ticks;
  LONG count = 0;
  if (FAILED(m_records->GetRecordCount(&count))) return ticks;
  for (LONG record = 0; record < count; ++record) {
    LONG end = 0;
    if (FAILED(m_records->GetEndOfData(0x80000000, record, &end)) || end == kRecordEndOffset) {
      end = 0;
    }
    ticks.push_back(end);
  }
  return ticks;
}

LONGLONG TraceDataView::PixelsOf(LONGLONG ticks) const {
  // ticks / (m_ticks / m_pixels), rounded up; 128 bits, as a long record at a fine compression
  // passes 2^63 on the way.
  const __int128 scaled = __int128(ticks) * m_pixels;
  return LONGLONG((scaled + m_ticks - 1) / m_ticks);
}

HRESULT TraceDataView::SetCompression(LONGLONG ticks, LONGLONG pixels) {
  Tarn::RecordCall(kService, "SetCompression",
                   std::to_string(ticks) + "/" + std::to_string(pixels));
  if (ticks <= 0 || pixels <= 0) return E_INVALIDARG;
  m_ticks = ticks;
  m_pixels = pixels;
  return S_OK;
}

HRESULT TraceDataView::GetCompression(LONGLONG* ticks, LONGLONG* pixels) {
  if (!ticks || !pixels) return E_POINTER;
  *ticks = m_ticks;
  *pixels = m_pixels;
  return S_OK;
}

HRESULT TraceDataView::GetDataExtent(LONGLONG* pixels) {
  if (!pixels) return E_POINTER;
  LONGLONG total = 0;
  for (LONGLONG ticks : RecordTicks()) total += PixelsOf(ticks);
  *pixels = total;
  return S_OK;
}

HRESULT TraceDataView::GetEndPosition(LONGLONG* pixel) { return GetDataExtent(pixel); }

HRESULT TraceDataView::PixelToPosition(LONGLONG pixel, LONG* record, LONG* tick) {
  if (!record || !tick) return E_POINTER;
  *record = kRecordEndOffset;
  *tick = kRecordEndOffset;
  if (pixel < 0) return S_FALSE;
  LONGLONG first = 0;
  const std::vector<LONGLONG> ticks = RecordTicks();
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    const LONGLONG width = PixelsOf(ticks[i]);
    if (pixel < first + width) {
      *record = LONG(i);
      *tick = LONG((__int128(pixel - first) * m_ticks) / m_pixels);
      return S_OK;
    }
    first += width;
  }
  return S_FALSE;
}

HRESULT TraceDataView::PositionToPixel(LONG record, LONG tick, LONGLONG* pixel) {
  if (!pixel) return E_POINTER;
  const std::vector<LONGLONG> ticks = RecordTicks();
  if (record < 0 || std::size_t(record) >= ticks.size()) return E_INVALIDARG;
  LONGLONG first = 0;
  for (LONG i = 0; i < record; ++i) first += PixelsOf(ticks[std::size_t(i)]);
  *pixel = first + LONGLONG(FloorDiv(LONGLONG(tick) * m_pixels, m_ticks));
  return S_OK;
}

HRESULT TraceDataView::GetNextRecord(LONG record, LONG* next) {
  if (!next) return E_POINTER;
  LONG count = 0;
  m_records->GetRecordCount(&count);
  if (record < -1 || record + 1 >= count) {
    *next = kRecordEndOffset;
    return S_FALSE;
  }
  *next = record + 1;
  return S_OK;
}

HRESULT TraceDataView::GetRecordInformation(LONG record, PendrelTraceRecordInfo* info) {
  if (!info) return E_POINTER;
  const std::vector<LONGLONG> ticks = RecordTicks();
  if (record < 0 || std::size_t(record) >= ticks.size()) return E_INVALIDARG;
  PendrelTraceRecordInfo answer{};
  for (LONG i = 0; i < record; ++i) answer.firstPixel += PixelsOf(ticks[std::size_t(i)]);
  answer.endPixel = answer.firstPixel + PixelsOf(ticks[std::size_t(record)]);
  answer.tickCount = LONG(ticks[std::size_t(record)]);
  answer.record.startTime = -1.0;
  const HRESULT result = m_records->GetRecordInfo(record, &answer.record);
  *info = answer;
  return FAILED(result) ? result : S_OK;
}

HRESULT TraceDataView::GetPendingUpdates(DWORD* flags) {
  if (!flags) return E_POINTER;
  *flags = m_pending;
  return S_OK;
}

HRESULT TraceDataView::AcknowledgeUpdates(DWORD flags) {
  Tarn::RecordCall(kService, "AcknowledgeUpdates", Tarn::HexWord(flags));
  m_pending &= ~flags;
  return S_OK;
}

HRESULT TraceDataView::GetChannelTitle(LONG channel, IQuorString** title) {
  if (!title) return E_POINTER;
  *title = nullptr;
  if (!m_channels || channel < 0) return E_INVALIDARG;
  return m_channels->GetChannelTitle(DWORD(channel), title);
}

HRESULT TraceDataView::GetRecordData(IUnknown** data) {
  if (!data) return E_POINTER;
  *data = m_recordData.get();
  if (!*data) return E_NOINTERFACE;
  (*data)->AddRef();
  return S_OK;
}

}  // namespace PendrelHost

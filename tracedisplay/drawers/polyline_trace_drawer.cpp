#include "tracedisplay/drawers/polyline_trace_drawer.h"

#include "hostframework/host_palette.h"
#include "platform/pendrel/trace_channel_settings.h"
#include "platform/pendrel/trace_data.h"
#include "tracedisplay/drawers/colour_conversion.h"
#include "tracedisplay/drawers/visible_extremes.h"

namespace PendrelDraw {

namespace {

// Every segment is a polyline of two points.
struct SegmentCounts {
  std::array<DWORD, kPointSourceBlock / 2> counts;
  SegmentCounts() { counts.fill(2); }
};
const DWORD* TwoPointCounts() {
  static const SegmentCounts table;
  return table.counts.data();
}

// Address bits of a point source request: decimate (0x2000000) and never the extended kind.
constexpr DWORD kPointSourceAddress = 0x2000000;
constexpr DWORD kExtendedAddress = 0x80000000;
// What a data change notice adds to the address word.
constexpr DWORD kDataChangeAddress = 0x82000100;
// The lane kind of a channel that takes its settings from the second channel.
constexpr LONG kSecondChannelKind = 4;

// Disabled traces in trace mode 1 are pulled this far towards this grey.
constexpr double kGreyPullFactor = 50.0 / 180.0;
constexpr double kGreyPullLevel = 240.0;

}  // namespace

PolyLineTraceDrawer::PolyLineTraceDrawer(const TraceDrawerInit& init)
    : DrawerBase(DrawerBaseInit(0x1000, init.channelIndex, init.dataKind, init.id,
                                init.secondIndex, init.secondKind)),
      m_traceMode(init.traceMode),
      m_colour(init.colour ? *init.colour : GetTraceOrderColour(init.channelIndex)),
      m_laneKind(init.laneKind) {
  TwoPointCounts();
}

PolyLineTraceDrawer::~PolyLineTraceDrawer() {
  if (m_overlay) m_overlay->Release();
  ReleasePointSource();
}

TraceDrawerInit PolyLineTraceDrawer::CopyInit() const {
  TraceDrawerInit init;
  init.laneKind = m_laneKind;
  init.colour = &m_colour;
  init.traceMode = m_traceMode;
  return init;
}

void PolyLineTraceDrawer::CopyStateTo(PolyLineTraceDrawer& copy) const {
  static_cast<DrawerBaseInit&>(copy) = *this;
  copy.m_penWidth = m_penWidth;
}

DrawerBase* PolyLineTraceDrawer::MakeCopy() const {
  auto* copy = new PolyLineTraceDrawer(CopyInit());
  CopyStateTo(*copy);
  return copy;
}

void PolyLineTraceDrawer::ReleasePointSource() {
  if (m_points) m_points->Release();
  m_points = nullptr;
  m_pointsRecord = -1;
}

HRESULT PolyLineTraceDrawer::Attach(DWORD ignored, IUnknown* source) {
  DrawerBase::Attach(ignored, source);
  if (m_overlay) m_overlay->Release();
  m_overlay = nullptr;
  if (source) source->QueryInterface(IPendrelSweepOverlay::iid, reinterpret_cast<void**>(&m_overlay));
  ReleasePointSource();
  m_dataOrigin = 0;
  return S_OK;
}

HRESULT PolyLineTraceDrawer::GetCapabilities(DWORD, DWORD* flags, LONG* leftWidth,
                                             LONG* rightWidth, DWORD) {
  if (flags) *flags = 0x60000000;
  if (leftWidth) *leftWidth = 1;
  if (rightWidth) *rightWidth = 0;
  return S_OK;
}

HRESULT PolyLineTraceDrawer::GetValueAt(LONG laneKind, LONG record, IQuorString** text,
                                        VARIANT_BOOL* flag) {
  if (text) *text = nullptr;
  if (laneKind != m_laneKind || channel[0] < 0 || !TraceData()) {
    if (flag) *flag = VARIANT_FALSE;
    return S_FALSE;
  }
  if (flag) {
    *flag = VARIANT_FALSE;
    TraceData()->GetUnitFlag(AddressWord(false), channel[0], flag);
  }
  return TraceData()->GetUnitText(AddressWord(false), record, channel[0], text);
}

HRESULT PolyLineTraceDrawer::QueryInterface(REFIID iid, void** object) {
  if (iid != IPendrelUnitMapping::iid) return DrawerBase::QueryInterface(iid, object);
  if (!object) return E_POINTER;
  *object = static_cast<IPendrelUnitMapping*>(this);
  AddRef();
  return S_OK;
}

HRESULT PolyLineTraceDrawer::GetUnitMapping(LONG, LONG axis, LONG record, IQuorString** text,
                                            VARIANT_BOOL* flag, double*, double*) {
  return GetValueAt(axis, record, text, flag);
}

HRESULT PolyLineTraceDrawer::GetAxisDataRange(LONG axis, LONGLONG first, LONGLONG end,
                                              double* range) {
  if (!range) return E_POINTER;
  if (axis != m_laneKind || channel[0] < 0) return S_FALSE;
  return VisibleExtremes(Source(), first, end, UnitsAddress(), channel[0], range) ? S_OK : S_FALSE;
}

HRESULT PolyLineTraceDrawer::SetTimeRange(LONG laneKind, DWORD, const double* range, IUnknown*) {
  if (laneKind != m_laneKind) return S_FALSE;
  if (!range) return E_POINTER;
  m_gain = range[0];
  m_offset = range[1];
  ReleasePointSource();
  return S_OK;
}

void PolyLineTraceDrawer::ReadDataOrigin() {
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(Source());
  PendrelTraceRecordInfo info{};
  if (view && latestRecord >= 0 && SUCCEEDED(view->GetRecordInformation(latestRecord, &info))) {
    m_dataOrigin = info.firstPixel;
  }
}

HRESULT PolyLineTraceDrawer::Refresh(DWORD) {
  if (attached) ReadDataOrigin();
  ReleasePointSource();
  return S_OK;
}

HRESULT PolyLineTraceDrawer::GetDataRange(LONGLONG, LONGLONG, LONGLONG* end) {
  if (!end) return E_POINTER;
  LONGLONG position = 0;
  if (m_points) m_points->GetPosition(&position);
  *end = m_dataOrigin + position;
  return m_points ? S_OK : S_FALSE;
}

HRESULT PolyLineTraceDrawer::Invalidate(DWORD a, DWORD b) {
  DrawerBase::Invalidate(a, b);
  ReleasePointSource();
  return S_OK;
}

HRESULT PolyLineTraceDrawer::OnDataChanged(DWORD flags, LONG laneKind, const LONG* four, LONG last) {
  if (laneKind != m_laneKind) return S_FALSE;
  if (!four) return E_POINTER;
  if (!TraceData()) return S_FALSE;
  return TraceData()->NotifyDataChanged(AddressWord(true) | flags | kDataChangeAddress, channel[0],
                                        four, last);
}

HRESULT PolyLineTraceDrawer::GetChannel(DWORD* laneKind) {
  if (!laneKind) return E_POINTER;
  *laneKind = DWORD(m_laneKind);
  return S_OK;
}

HRESULT PolyLineTraceDrawer::ReleaseSource(DWORD) {
  ReleasePointSource();
  return S_OK;
}

LONG PolyLineTraceDrawer::SettingsChannel() const {
  if (channel[1] == kSecondChannelKind && secondChannel[0] != kNoChannelIndex) return secondChannel[0];
  return channel[0];
}

HRESULT PolyLineTraceDrawer::UpdateFromChannel(IUnknown* settings, IUnknown*, LONG which) {
  const LONG own = SettingsChannel();
  if ((which != -1 && which != own) || !settings) return S_OK;
  if (const auto display = Quor::QueryFace<IPendrelChannelDisplaySettings>(settings)) {
    display->GetTraceMode(own, kTraceModeQuery, &m_traceMode);
    display->GetTraceColour(kColourByChannelPair, channel, &m_colour);
    display->GetPenWidth(own, &m_penWidth);
  }
  ReleasePointSource();
  return S_OK;
}

Quor::ComPtr<IPendrelTraceChannel> PolyLineTraceDrawer::ChannelObject(DWORD address, LONG record,
                                                                      LONG which) const {
  Quor::ComPtr<IUnknown> object;
  if (TraceData()) TraceData()->GetChannelObject(address, record, which, Quor::ComPtrOut<IUnknown>::Bind(object));
  return Quor::QueryFace<IPendrelTraceChannel>(object.Get());
}

void PolyLineTraceDrawer::ReadUnitFlag(DWORD address, VARIANT_BOOL* flag) const {
  if (!flag) return;
  *flag = VARIANT_FALSE;
  if (TraceData()) TraceData()->GetUnitFlag(address, channel[0], flag);
}

HRESULT PolyLineTraceDrawer::HitTest(LONG laneKind, LONG record, IQuorString** text,
                                     VARIANT_BOOL* flag, double* range, double* secondRange,
                                     double* value) {
  if (text) *text = nullptr;
  if (laneKind != m_laneKind || channel[0] < 0 || !TraceData()) return S_FALSE;
  const DWORD units = UnitsAddress();
  ReadUnitFlag(units, flag);
  if (range || secondRange) {
    if (const auto object = ChannelObject(units, record, channel[0])) {
      if (range) paneValue == 0 ? object->GetMapping(range) : object->GetMappingFor(units, range);
      if (value) {
        double own[2] = {1.0, 0.0};
        object->GetMapping(own);
        *value = own[0];
      }
      if (secondRange) object->GetMappingFor(paneValue != 0 ? DrawingAddress() : units, secondRange);
    }
  }
  return TraceData()->GetUnitText(units, record, channel[0], text);
}

bool PolyLineTraceDrawer::CreatePointSource(LONGLONG start, LONG record) {
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(Source());
  if (!view || !TraceData()) return false;
  PendrelPixelMapping mapping{};
  if (FAILED(view->GetCompression(&mapping.ticks, &mapping.pixels))) return false;
  const DWORD address = (AddressWord(true) | kPointSourceAddress) & ~kExtendedAddress;
  if (FAILED(TraceData()->CreatePointSource(address, channel[0], &mapping, start, record,
                                            kOpenEndRecord, kRecordEndOffset, m_gain, m_offset,
                                            m_traceMode, &m_points))) {
    m_points = nullptr;
    return false;
  }
  m_pointsRecord = record;
  return m_points != nullptr;
}

bool PolyLineTraceDrawer::ContinueKeptSource(HDC dc, const DrawSpan& span) {
  if (!m_points || m_overlay) return false;
  if (span.record != m_pointsRecord) {
    ReleasePointSource();
    return false;
  }
  LONGLONG first = span.first;
  LONG left = span.leftColumn;
  LONGLONG position = 0;
  m_points->GetPosition(&position);
  const LONGLONG d = (first - m_dataOrigin) - position;
  if (d == -1) {
    // The column before the source's position was drawn by the last paint.
    ++first;
    ++left;
  } else if (d != 0) {
    LONGLONG skipped = 0;
    m_points->Skip(d, &skipped);
    if (skipped != d) {
      ReleasePointSource();
      return false;
    }
  }
  if (span.end > first) DrawRun(dc, LONG(span.end - first), left, 0, span.record);
  return true;
}

HRESULT PolyLineTraceDrawer::Draw(HDC dc, const DrawSpan* span, DWORD flags) {
  if (!span) return E_POINTER;
  if (flags & kDrawFreshPointSource) ReleasePointSource();
  if (!ContinueKeptSource(dc, *span)) {
    LONGLONG first = span->first;
    LONGLONG origin = span->origin;
    LONG left = span->leftColumn;
    int saved = 0;
    if (origin < 0) {
      // The record begins inside the span: draw from its first pixel, in its own column.
      first -= origin;
      left = LONG(left - origin);
      origin = 0;
      if (first >= span->end) return S_OK;
      saved = SaveDC(dc);
      IntersectClipRect(dc, left, span->clip.top, span->clip.right, span->clip.bottom);
    }
    LONGLONG segmentStart = 0, segmentPosition = 0;
    const bool overlayNamesPosition =
        m_overlay && m_overlay->GetSegment(span->record, &segmentStart, &segmentPosition) == S_OK;
    if (!m_points || overlayNamesPosition) {
      ReleasePointSource();
      // The record's first pixel, from which the source counts.
      m_dataOrigin = first - origin;
      CreatePointSource(overlayNamesPosition ? 0 : origin, span->record);
    }
    if (m_points && !m_overlay) {
      DrawRun(dc, LONG(span->end - first), left, 0, span->record);
    } else if (m_points) {
      DrawOverlaySegment(dc, first, span->end, left, span->record);
    }
    if (saved) RestoreDC(dc, saved);
  }
  if (!(flags & kDrawKeepPointSource)) ReleasePointSource();
  return S_OK;
}

void PolyLineTraceDrawer::DrawOverlaySegment(HDC dc, LONGLONG first, LONGLONG end, LONG left,
                                             LONG record) {
  LONG kind = 0;
  m_overlay->GetSegmentKind(record, &kind);
  if (kind == kSweepSegmentSplit && !IsSplit()) return;
  LONGLONG start = 0, position = 0;
  m_overlay->GetSegment(record, &start, &position);
  m_points->Seek(start);
  // Positions of the span before the segment are not the segment's to draw.
  const LONGLONG recordFirst = first - m_dataOrigin;
  LONGLONG columns = end - first;
  if (start > recordFirst) {
    left = LONG(left + (start - recordFirst));
    columns -= start - recordFirst;
  } else if (recordFirst > start) {
    m_points->Skip(recordFirst - start, nullptr);
  }
  if (columns <= 0) return;
  BeginRun(dc, first, record);
  DrawRun(dc, LONG(columns), left, kind, record);
  EndRun(dc);
}

COLORREF PolyLineTraceDrawer::RunColour(LONG dataKind) {
  if (!m_overlay) return m_colour;
  if (dataKind == 3) return AdjustColour(m_colour, dataKind);
  if (dataKind != 2) return m_colour;
  const COLORREF grey = m_traceMode == kTraceModeGreyPull
                            ? PullTowardsLevel(m_colour, kGreyPullFactor, kGreyPullLevel)
                            : RGB(0, 0, 0);
  COLORREF contrast = grey;
  if (Pane()) Pane()->GetContrastColour(grey, &contrast);
  return contrast;
}

LONG PolyLineTraceDrawer::DrawRun(HDC dc, LONG columns, LONG left, LONG dataKind, LONG) {
  if (columns <= 0 || !m_points) return 0;
  VARIANT_BOOL monochrome = VARIANT_FALSE;
  if (Pane()) Pane()->IsMonochrome(0, &monochrome);
  const double printScale = PrintScale();
  const LOGBRUSH brush = {BS_SOLID, RunColour(dataKind), 0};
  const HPEN pen = monochrome ? ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT,
                                             DWORD(m_penWidth * printScale), &brush, 0, nullptr)
                              : ExtCreatePen(PS_SOLID, 1, &brush, 0, nullptr);
  const HGDIOBJ previous = SelectObject(dc, pen);
  const bool widen = monochrome && m_traceMode != kTraceModeGreyPull;
  LONG drawn = 0;
  while (drawn < columns) {
    const LONG asked = columns - drawn;
    LONG count = 0, consumed = 0;
    if (FAILED(m_points->NextPoints(left + drawn, asked, kPointSourceBlock, m_block.data(), &count,
                                    &consumed))) {
      break;
    }
    count &= ~LONG(1);
    for (LONG i = 0; i < count; i += 2) {
      // A printed column segment is as long as the pen is wide.
      if (widen && m_block[i].x == m_block[i + 1].x) {
        m_block[i + 1].y = LONG(printScale - 1.0 + m_block[i + 1].y);
      }
      // Rows count from the lane's top.
      m_block[i].y += rect.top;
      m_block[i + 1].y += rect.top;
    }
    if (count >= 2) PolyPolyline(dc, m_block.data(), TwoPointCounts(), DWORD(count / 2));
    drawn += consumed;
    // A source that moves no further would be asked the same again for ever.
    if (consumed <= 0) break;
    if (consumed < asked && count < kPointSourceBlock) break;
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
  return drawn;
}

}  // namespace PendrelDraw

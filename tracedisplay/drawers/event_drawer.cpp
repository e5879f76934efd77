#include "tracedisplay/drawers/event_drawer.h"

#include <cmath>
#include <cstring>

#include "core/com_ptr.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/event_record.h"

namespace PendrelDraw {

namespace {

constexpr DWORD kDrawReleaseFirst = 0x08000000;
constexpr DWORD kDrawKeepSource = 0x80000000;
constexpr DWORD kEventAddressBit = 0x80000000;

// Where a record's ticks lie on the pane's pixel axis.
struct TickMapping {
  LONGLONG firstPixel;
  double pixelsPerTick;
  double PixelOf(double tick) const { return double(firstPixel) + tick * pixelsPerTick; }
};

bool MappingOf(IPendrelTraceDataView* view, LONG record, TickMapping* mapping,
               PendrelTraceRecordInfo* info) {
  LONGLONG ticks = 0, pixels = 0;
  if (!view || FAILED(view->GetRecordInformation(record, info)) ||
      FAILED(view->GetCompression(&ticks, &pixels)) || ticks <= 0 || pixels <= 0)
    return false;
  *mapping = {info->firstPixel, double(pixels) / double(ticks)};
  return true;
}

// The generic fields of an event record of `size` bytes; a record too short for a value has
// nothing to skip it for.
PendrelEventRecord GenericFields(const std::byte* event, std::size_t size) {
  PendrelEventRecord fields = {0, 0.0f, 0.0};
  std::memcpy(&fields, event, std::min(size, sizeof fields));
  return fields;
}

}  // namespace

EventDrawer::EventDrawer(DWORD, LONG channelIndex, LONG dataKind, LONG secondIndex,
                         LONG secondKind)
    : DrawerBase(DrawerBaseInit(0x1000, channelIndex, dataKind, kEventDrawerId, secondIndex,
                                secondKind)) {}

EventDrawer::EventDrawer(const EventDrawer& other)
    : DrawerBase(static_cast<const DrawerBaseInit&>(other)),
      m_currentPosition(other.m_currentPosition),
      m_lastMark(other.m_lastMark),
      m_overlay(other.m_overlay),
      m_events(other.m_events),
      m_colours(other.m_colours),
      m_coloursType(other.m_coloursType) {
  if (m_overlay) m_overlay->AddRef();
  if (m_colours) m_colours->AddRef();
}

EventDrawer::~EventDrawer() {
  if (m_colours) m_colours->Release();
  m_events.ReleaseEnumerator();
  if (m_overlay) m_overlay->Release();
}

DrawerBase* EventDrawer::MakeCopy() const { return new EventDrawer(*this); }

HRESULT EventDrawer::Attach(DWORD ignored, IUnknown* source) {
  DrawerBase::Attach(ignored, source);
  if (m_overlay) m_overlay->Release();
  m_overlay = nullptr;
  if (source) source->QueryInterface(IPendrelSweepOverlay::iid, reinterpret_cast<void**>(&m_overlay));
  m_events.ReleaseEnumerator();
  return S_OK;
}

HRESULT EventDrawer::GetCapabilities(DWORD, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                                     DWORD) {
  if (flags) *flags = 0x40000000;
  if (leftWidth) *leftWidth = 10;
  if (rightWidth) *rightWidth = 10;
  return S_OK;
}

HRESULT EventDrawer::SetTimeRange(LONG, DWORD, const double*, IUnknown*) { return S_OK; }

HRESULT EventDrawer::Refresh(DWORD) {
  m_currentPosition = -1.0;
  return S_OK;
}

HRESULT EventDrawer::SetChannel(DWORD onlineRecord_, VARIANT_BOOL moreData_) {
  const HRESULT result = DrawerBase::SetChannel(onlineRecord_, moreData_);
  m_lastMark = -1;
  return result;
}

HRESULT EventDrawer::GetDataRange(LONGLONG, LONGLONG, LONGLONG* end) {
  if (!m_events.Enumerator()) return S_FALSE;
  if (!end) return E_POINTER;
  *end = m_lastMark;
  return S_OK;
}

HRESULT EventDrawer::Invalidate(DWORD a, DWORD b) {
  DrawerBase::Invalidate(a, b);
  m_events.ReleaseEnumerator();
  return S_OK;
}

HRESULT EventDrawer::ReleaseSource(DWORD) {
  m_events.ReleaseEnumerator();
  return S_OK;
}

HRESULT EventDrawer::Draw(HDC dc, const DrawSpan* span, DWORD flags) {
  if (!span) return E_POINTER;
  if (flags & kDrawReleaseFirst) m_events.ReleaseEnumerator();
  LONG start = 0;
  if (StartTick(*span, &start) && EnsureEnumerator(span->record, start)) {
    FollowEventType();
    if (m_events.Start(start)) DrawMarks(dc, *span);
  }
  if (!(flags & kDrawKeepSource)) m_events.ReleaseEnumerator();
  return S_OK;
}

bool EventDrawer::StartTick(const DrawSpan& span, LONG* tick) {
  if (m_overlay) {
    LONG first = 0, end = 0;
    if (FAILED(m_overlay->GetTickRange(span.record, span.first, span.end, &first, &end)))
      return false;
    *tick = std::max<LONG>(first, 0);
    return true;
  }
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(Source());
  PendrelTraceRecordInfo info = {};
  if (!view || FAILED(view->GetRecordInformation(span.record, &info))) return false;
  // A span that begins after the record or ends before it shows none of it.
  if (span.first >= info.endPixel || span.end <= info.firstPixel) return false;
  *tick = 0;
  if (span.first <= info.firstPixel) return true;
  LONG record = 0;
  return view->PixelToPosition(span.first, &record, tick) == S_OK && record == span.record;
}

bool EventDrawer::EnsureEnumerator(LONG record, LONG tick) {
  // A kept enumerator serves only its own record, and only from where it was opened on.
  if (m_events.Enumerator() && m_events.Record() == record && tick >= m_openedFrom) return true;
  m_events.ReleaseEnumerator();
  if (!RecordData() || channel[0] < 0) return false;
  const PendrelChannelRef ref = {DWORD(channel[0]), AddressWord(true) | kEventAddressBit};
  Quor::ComPtr<IUnknown> opened;
  RecordData()->OpenEventEnumerator(ref, record, tick, kRecordEndOffset, kEventKindMarks,
                                    Quor::ComPtrOut<IUnknown>::Bind(opened));
  const auto events = Quor::QueryFace<IEnumEventEx>(opened.Get());
  if (!events) return false;
  m_events.SetEnumerator(events.Get(), record);
  m_openedFrom = tick;
  return true;
}

void EventDrawer::FollowEventType() {
  DWORD type = 0;
  m_events.Enumerator()->GetEventTypeId(&type);
  if (type == m_coloursType) return;
  if (m_colours) m_colours->Release();
  m_colours = nullptr;
  m_coloursType = type;
  ITarnClassRegistry* registry = type != 0 ? GetTarnClassRegistry() : nullptr;
  if (!registry) return;
  IPendrelEventColours* made = nullptr;
  if (FAILED(registry->CreateObject(kTarnTypeEventColourService, IPendrelEventColours::iid,
                                    reinterpret_cast<void**>(&made))) ||
      !made)
    return;
  if (made->SetEventType(type) == S_OK) {
    m_colours = made;
  } else {
    made->Release();
  }
}

COLORREF EventDrawer::Contrast(COLORREF colour) {
  COLORREF contrast = colour;
  if (Pane()) Pane()->GetContrastColour(colour, &contrast);
  return contrast;
}

COLORREF EventDrawer::FillColour(const void* event) {
  COLORREF colour = RGB(255, 255, 255);
  if (m_colours && m_colours->GetEventColour(event, &colour) != S_OK) colour = RGB(255, 255, 255);
  return Contrast(colour);
}

void EventDrawer::DrawMarks(HDC dc, const DrawSpan& span) {
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(Source());
  TickMapping mapping = {};
  PendrelTraceRecordInfo info = {};
  if (!MappingOf(view.Get(), span.record, &mapping, &info)) return;

  const double scale = std::max(1.0, GetDeviceCaps(dc, LOGPIXELSX) / 96.0);
  const LOGBRUSH grey = {BS_SOLID, kEventLineColour, 0};
  const HPEN linePen =
      GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY
          ? ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &grey, 0, nullptr)
          : ExtCreatePen(PS_GEOMETRIC | PS_DOT, DWORD(scale), &grey, 0, nullptr);
  const HPEN outlinePen = CreatePen(PS_SOLID, 1, Contrast(RGB(0, 0, 0)));
  const HGDIOBJ previousPen = SelectObject(dc, linePen);
  const HGDIOBJ previousBrush = GetCurrentObject(dc, OBJ_BRUSH);

  const int h = int(3.0 * scale);
  const double ratio = ResolutionRatio(dc);
  // The circle's box; on a device finer than the pane's, enlarged about the circle's centre.
  const LONG small = 2 * h + 1;
  const LONG size = std::isfinite(ratio) && ratio > 1.0 ? LONG(small * ratio + 0.5) : small;
  const LONG top = rect.top + h - size / 2;

  do {
    const PendrelEventRecord event = GenericFields(m_events.Current(), m_events.EventSize());
    if (!std::isfinite(event.value)) continue;
    const double position = mapping.PixelOf(double(event.tick) + double(event.fraction));
    m_currentPosition = position;
    if (span.record == latestRecord) m_lastMark = LONGLONG(position + 1.0);
    if (position < double(span.first)) continue;
    if (position >= double(span.end)) break;
    const LONG x = LONG(std::floor(position + 0.5) - double(span.first)) + span.leftColumn;

    SelectObject(dc, linePen);
    MoveToEx(dc, x, rect.top, nullptr);
    LineTo(dc, x, rect.bottom);

    const HBRUSH fill = CreateSolidBrush(FillColour(m_events.Current()));
    SelectObject(dc, outlinePen);
    SelectObject(dc, fill);
    Ellipse(dc, x - size / 2, top, x - size / 2 + size, top + size);
    SelectObject(dc, previousBrush);
    DeleteObject(fill);
  } while (m_events.Advance());

  SelectObject(dc, previousPen);
  DeleteObject(linePen);
  DeleteObject(outlinePen);
}

}  // namespace PendrelDraw

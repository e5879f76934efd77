#include "tracedisplay/panes/time_scale.h"

#include "controls/fonts/dialog_fonts.h"
#include "core/xquor.h"
#include "tracedisplay/timescale/time_label_drawer.h"

namespace PendrelDraw {

namespace {

constexpr DWORD kStoredVersion = 2;
// The widest label the scale makes room for.
constexpr char16_t kProbeText[] = u"10:00:00.0000 a.m.";
constexpr char16_t kMillisecondsCaption[] = u"(ms)";

// A context to measure on: the one given, or a screen-compatible one of its own.
class MeasuringDC {
 public:
  explicit MeasuringDC(HDC dc) : m_dc(dc ? dc : CreateCompatibleDC(nullptr)), m_own(!dc) {}
  ~MeasuringDC() {
    if (m_own) DeleteDC(m_dc);
  }
  MeasuringDC(const MeasuringDC&) = delete;
  MeasuringDC& operator=(const MeasuringDC&) = delete;
  operator HDC() const { return m_dc; }

 private:
  HDC m_dc;
  bool m_own;
};

}  // namespace

TimeScale::TimeScale(ChannelPaneOwner& owner) : ChildPaneBase(-1, owner), m_paneOwner(owner) {
  stateChanged = true;
  MakeLabelFont(nullptr);
  CreateLabelDrawerIfNone();
}

void TimeScale::MakeLabelFont(HDC dc) {
  HDC printDC = nullptr;
  IDrawerDataPane* services = m_paneOwner.DrawerServices();
  if (services) services->GetPrintDC(&printDC);
  MeasuringDC measuring(dc);
  if (printDC) {
    m_font = CreateGuiFontForDC(printDC, 10).font;
  } else {
    // 10 points, or 12 when the application speaks Chinese or Japanese, for the screen.
    MeasuringDC screen(nullptr);
    m_font = CreateShellDlgFont(screen, 0, 0);
  }
  const HGDIOBJ previous = SelectObject(measuring, *m_font);
  SIZE probe = {};
  GetTextExtentPoint32W(measuring, kProbeText, int(std::size(kProbeText) - 1), &probe);
  SelectObject(measuring, previous);
  double printScaleY = 1.0;
  if (services) services->GetPrintScale(0, nullptr, &printScaleY);
  const LONG textHeight = m_injected ? m_injected->height : probe.cy;
  m_height = LONG(printScaleY * 5.0 + textHeight);
  // The next margin query with a context measures the probe text again.
  m_labelWidth = 0;
}

LabelMetrics TimeScale::MetricsOn(HDC dc) const {
  if (m_injected) return *m_injected;
  if (!m_font) return {0, 0};
  MeasuringDC measuring(dc);
  const HGDIOBJ previous = SelectObject(measuring, *m_font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(measuring, &metrics);
  SelectObject(measuring, previous);
  return {metrics.tmAveCharWidth, metrics.tmHeight};
}

void TimeScale::InjectLabelMetrics(const LabelMetrics& metrics) {
  m_injected = metrics;
  MakeLabelFont(nullptr);
}

LONG TimeScale::LabelWidth(HDC dc) {
  if (m_labelWidth == 0 && m_font) {
    MeasuringDC measuring(dc);
    const HGDIOBJ previous = SelectObject(measuring, *m_font);
    SIZE probe = {};
    GetTextExtentPoint32W(measuring, kProbeText, int(std::size(kProbeText) - 1), &probe);
    SelectObject(measuring, previous);
    m_labelWidth = probe.cx;
  }
  return m_labelWidth;
}

void TimeScale::CreateLabelDrawerIfNone() {
  if (!Drawers().empty()) return;
  auto* drawer = new TimeLabelDrawer(this);
  drawer->AddRef();
  AddDrawer(0, drawer, 255);
  drawer->Attach(0, m_paneOwner.DataView());
  drawer->Release();
}

void TimeScale::SetLayout(DWORD id, const LONG* pair, const RECT& rect_, LONG leftWidth,
                          LONG rightWidth, LONG gap) {
  ChildPaneBase::SetLayout(id, pair, rect_, leftWidth, rightWidth, gap);
  for (IPendrelRecordDrawer* drawer : Drawers()) drawer->SetExtent(id, &rect);
}

HRESULT TimeScale::RemoveDrawers(DWORD capabilityMask, LONG channelIndex, LONG dataKind) {
  const HRESULT result = ChildPaneBase::RemoveDrawers(capabilityMask, channelIndex, dataKind);
  CreateLabelDrawerIfNone();
  return result;
}

void TimeScale::SetChannel(DWORD record, bool moreData) {
  ChildPaneBase::SetChannel(record, moreData);
  MarkAllLayersDirty();
  Owner().FlushPendingUpdates();
  Owner().OnLaneInvalidated(rect, false);
}

void TimeScale::OnSourceChanged(LONG n, IUnknown* source) {
  if (n >= 0) {
    ChildPaneBase::RemoveDrawers(0, LONG(0x80000000), LONG(0xC0000000));
    CreateLabelDrawerIfNone();
    return;
  }
  for (IPendrelRecordDrawer* drawer : Drawers()) drawer->Attach(DWORD(n), source);
}

void TimeScale::BeginPrint(HDC dc) { MakeLabelFont(dc); }

void TimeScale::EndPrint() { MakeLabelFont(nullptr); }

void TimeScale::Paint(HDC dc, LONG markerX, bool marker) {
  ChildPaneBase::Paint(dc, markerX, marker);
  DrawUnitCaption(dc);
}

void TimeScale::DrawUnitCaption(HDC dc) {
  if (!(m_labelState & kLabelsInMilliseconds) || (m_labelState & 0xFF) == 3) return;
  if (rect.right <= rect.left || Height() <= 0 || !m_font) return;
  const int saved = SaveDC(dc);
  SelectObject(dc, *m_font);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  const int length = int(std::size(kMillisecondsCaption) - 1);
  SIZE size = {};
  GetTextExtentPoint32W(dc, kMillisecondsCaption, length, &size);
  const LONG x = rect.right - 2 - size.cx;
  const LONG y = rect.top + 3;
  const RECT opaque = {x - 7, rect.top, rect.right, std::min(rect.bottom, y + size.cy)};
  ExtTextOutW(dc, x, y, ETO_OPAQUE, &opaque, kMillisecondsCaption, UINT(length), nullptr);
  RestoreDC(dc, saved);
}

void TimeScale::LoadState(Quor::BinIStream& stream) {
  LONG version = 0;
  stream.ReadInt32(&version);
  if (DWORD(version) >= 3) throw XQuor(kXQuorNewerVersion);
}

void TimeScale::SaveState(Quor::BinOStream& stream) { stream.WriteInt32(LONG(kStoredVersion)); }

}  // namespace PendrelDraw

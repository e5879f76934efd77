#include "tracedisplay/drawers/graticule_drawer.h"

#include <algorithm>
#include <cmath>

#include "core/bitset.h"
#include "core/com_ptr.h"
#include "core/unit_prefix.h"
#include "platform/pendrel/axis_scales.h"
#include "platform/pendrel/trace_channel_settings.h"
#include "platform/pendrel/trace_data.h"
#include "platform/win32/monitors.h"
#include "tracedisplay/drawers/colour_conversion.h"
#include "tracedisplay/drawers/metafile_graticule_drawer.h"

namespace PendrelDraw {

namespace {

// How many labelled (major) and how many minor values of a scale the grid shows at most.
constexpr LONG kMajorTickCapacity = 5;
constexpr LONG kMinorTickCapacity = 25;
// Level rows beyond this would overflow the drawing coordinates.
constexpr LONG kLevelRowLimit = 16000;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Bit of the online record asking for the pre-trigger hatch.
constexpr DWORD kOnlinePreTrigger = 0x80000000;

// Runs `draw` with `bitmap` selected into a memory context.
template <class Draw>
void WithBitmap(HBITMAP bitmap, Draw&& draw) {
  const HDC memory = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  draw(memory);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

LONG RowOf(double value, const double* scale) {
  return LONG(std::clamp(std::floor((value + scale[1]) * scale[0]), -1e9, 1e9));
}

}  // namespace

GraticuleDrawer::GraticuleDrawer(LONGLONG, DWORD options, COLORREF gridColour, DWORD,
                                 LONG channelIndex, LONG dataKind)
    : DrawerBase(DrawerBaseInit(0x1000, channelIndex, dataKind, 1)),
      m_gridColour(gridColour),
      m_options(options) {}

GraticuleDrawer::~GraticuleDrawer() {
  for (HBITMAP bitmap : {m_rowBitmaps[0], m_rowBitmaps[1], m_lineBitmaps[0], m_lineBitmaps[1]}) {
    if (bitmap) DeleteObject(bitmap);
  }
}

void GraticuleDrawer::CopySettingsTo(GraticuleDrawer& copy) const {
  static_cast<DrawerBaseInit&>(copy) = *this;
  copy.m_dataOrigin = m_dataOrigin;
  copy.m_laneKind = m_laneKind;
  copy.m_gridStyle = m_gridStyle;
  copy.m_gridShown = m_gridShown;
  copy.m_secondaryLabel = m_secondaryLabel;
}

DrawerBase* GraticuleDrawer::MakeCopy() const {
  auto* copy = new GraticuleDrawer(0, m_options, m_gridColour, 0, channel[0], channel[1]);
  CopySettingsTo(*copy);
  return copy;
}

HRESULT GraticuleDrawer::Clone(DWORD flags, IPendrelRecordDrawer** out) {
  if (!out) return S_OK;
  if (!(flags & kCloneAsMetafileGraticule)) return DrawerBase::Clone(flags, out);
  auto* copy = new MetafileGraticuleDrawer(0, m_options | kGraticuleMetafile, m_gridColour, 0,
                                           channel[0], channel[1]);
  CopySettingsTo(*copy);
  copy->AddRef();
  *out = copy;
  return S_OK;
}

HRESULT GraticuleDrawer::Attach(DWORD ignored, IUnknown* source) {
  DrawerBase::Attach(ignored, source);
  m_dataOrigin = 0;
  return S_OK;
}

HRESULT GraticuleDrawer::SetExtent(DWORD paneId_, const RECT* rect_) {
  DrawerBase::SetExtent(paneId_, rect_);
  if (LaneHeight() > 0) {
    BITMAP info{};
    if (!m_rowBitmaps[0] || (GetObjectW(m_rowBitmaps[0], sizeof info, &info) && info.bmHeight != LaneHeight())) {
      RebuildBitmaps();
    }
  }
  return S_OK;
}

HRESULT GraticuleDrawer::GetCapabilities(DWORD, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                                         DWORD) {
  if (flags) *flags = 0x80000000;
  if (leftWidth) *leftWidth = 0;
  if (rightWidth) *rightWidth = 0;
  return S_OK;
}

HRESULT GraticuleDrawer::SetTimeRange(LONG laneKind, DWORD, const double* range, IUnknown* scale) {
  if (laneKind != m_laneKind) return S_FALSE;
  if (!range) return E_POINTER;
  m_lastDrawnRecord = -1;
  m_scale[0] = range[0];
  m_scale[1] = range[1];
  if (scale) ComputeRows(scale);
  return S_OK;
}

void GraticuleDrawer::ComputeRows(IUnknown* scale) {
  m_rows.clear();
  m_noTicks = true;
  m_rangeSwitch[0] = m_rangeSwitch[1] = false;
  const auto axis = Quor::QueryFace<IPendrelAxisAdjuster>(scale);
  if (axis) {
    double major[kMajorTickCapacity], minor[kMinorTickCapacity];
    LONG majorCount = 0, minorCount = 0;
    if (SUCCEEDED(axis->GetTickRows(kMajorTickCapacity, major, &majorCount)) && majorCount > 0) {
      m_noTicks = false;
      for (LONG i = 0; i < majorCount; ++i) m_rows.push_back({RowOf(major[i], m_scale), true});
      if (SUCCEEDED(axis->GetTickRows(kMinorTickCapacity, minor, &minorCount))) {
        for (LONG i = 0; i < minorCount; ++i) {
          const LONG row = RowOf(minor[i], m_scale);
          const bool taken = std::any_of(m_rows.begin(), m_rows.end(),
                                         [&](const GridRow& r) { return r.row == row; });
          if (!taken) m_rows.push_back({row, false});
        }
      }
    }
    double ends[2] = {};
    if (SUCCEEDED(axis->GetRange(ends))) {
      double mapped[2] = {(ends[0] + m_scale[1]) * m_scale[0], (ends[1] + m_scale[1]) * m_scale[0]};
      if (mapped[0] > mapped[1]) std::swap(mapped[0], mapped[1]);
      for (int i = 0; i < 2; ++i) {
        m_rangeSwitch[i] = std::isfinite(mapped[i]) && mapped[i] > 0.0 && mapped[i] < LaneHeight();
        if (m_rangeSwitch[i]) m_rangeRows[i] = LONG(std::floor(mapped[i]));
      }
    }
  }
  if (HasBitmaps()) StampRowBitmaps();
}

void GraticuleDrawer::StampRowBitmaps() {
  const bool stamp = !m_noTicks && !(m_options & kGraticuleNoGrid);
  for (int kind = 0; kind < 2; ++kind) {
    WithBitmap(m_rowBitmaps[kind], [&](HDC memory) {
      PatBlt(memory, 0, 0, 1, LaneHeight(), WHITENESS);
      if (!stamp) return;
      for (const GridRow& row : m_rows) {
        if (row.major == (kind == 1) && row.row >= 0 && row.row < LaneHeight()) {
          SetPixel(memory, 0, row.row, kBlack);
        }
      }
    });
  }
}

void GraticuleDrawer::RebuildBitmaps() {
  for (HBITMAP* bitmap : {&m_rowBitmaps[0], &m_rowBitmaps[1], &m_lineBitmaps[0], &m_lineBitmaps[1]}) {
    if (*bitmap) DeleteObject(*bitmap);
    *bitmap = CreateBitmap(1, LaneHeight(), 1, 1, nullptr);
  }
  for (HBITMAP line : m_lineBitmaps) {
    WithBitmap(line, [&](HDC memory) {
      PatBlt(memory, 0, 0, 1, LaneHeight(), WHITENESS);
      PatBlt(memory, 0, 0, 1, LaneHeight(), BLACKNESS);
    });
  }
  StampRowBitmaps();
  if (m_preTrigger) m_preTrigger->Build(Pane(), LaneHeight());
}

HRESULT GraticuleDrawer::PrepareBackground(IDrawerDataPane* pane) {
  if (!m_preTrigger) m_preTrigger = std::make_unique<DrawPreTriggerBackground>();
  return m_preTrigger->Build(pane, LaneHeight());
}

HRESULT GraticuleDrawer::Refresh(DWORD) {
  m_lastDrawnRecord = -1;
  if (!attached) return S_OK;
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(Source());
  PendrelTraceRecordInfo info{};
  if (view && latestRecord >= 0 && SUCCEEDED(view->GetRecordInformation(latestRecord, &info))) {
    m_dataOrigin = info.firstPixel;
  }
  return S_OK;
}

HRESULT GraticuleDrawer::UpdateFromChannel(IUnknown* settings, IUnknown*, LONG) {
  if (const auto display = Quor::QueryFace<IPendrelChannelDisplaySettings>(settings)) {
    VARIANT_BOOL shown = VARIANT_TRUE, secondary = VARIANT_TRUE;
    COLORREF colour = m_gridColour;
    LONG style = m_gridStyle;
    if (SUCCEEDED(display->GetGridSettings(channel[0], &shown, &colour, &style))) {
      m_gridShown = shown != VARIANT_FALSE;
      m_gridColour = colour;
      m_gridStyle = style;
    }
    if (SUCCEEDED(display->GetSecondaryLabelFlag(channel[0], &secondary))) {
      m_secondaryLabel = secondary != VARIANT_FALSE;
      m_labelWidth = m_secondaryLabel ? 2 : 0;
    }
  }
  return S_OK;
}

bool GraticuleDrawer::Monochrome() const {
  VARIANT_BOOL monochrome = VARIANT_FALSE;
  if (Pane()) Pane()->IsMonochrome(0, &monochrome);
  return monochrome != VARIANT_FALSE;
}

bool GraticuleDrawer::LaneHasGrid(LONG record) const {
  if ((m_options & kGraticuleNoGrid) == kGraticuleNoGrid || m_noTicks) return false;
  if (m_options & kGraticuleAlwaysGrid) return true;
  return !TraceData() || TraceData()->ShowsGrid(AddressWord(true), PaneChannel(), record) == S_OK;
}

LONG GraticuleDrawer::PaneChannel() const {
  LONG pair[2] = {channel[0], channel[1]};
  if (Pane() && SUCCEEDED(Pane()->GetPaneChannel(colourSlot, pair))) return pair[0];
  return channel[0];
}

void GraticuleDrawer::Fill(HDC dc, const RECT& area, COLORREF colour) {
  if (area.left >= area.right || area.top >= area.bottom) return;
  const HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void GraticuleDrawer::FillBackground(HDC dc, const RECT& columns, LONG record, bool grid) const {
  COLORREF colour = kWhite;
  if (!grid) {
    colour = GetSysColor(COLOR_3DLIGHT);
  } else if (attached && !moreData && record == latestRecord) {
    colour = kLatestRecordBackground;
  } else if (Pane()) {
    Pane()->GetBackgroundColour(&colour);
  }
  Fill(dc, columns, colour);
}

HRESULT GraticuleDrawer::Draw(HDC dc, const DrawSpan* span, DWORD flags) {
  if (!span) return E_POINTER;
  const bool grid = LaneHasGrid(span->record);
  const RECT columns = {span->leftColumn, rect.top, LONG(span->leftColumn + (span->end - span->first)),
                        rect.bottom};
  if (FillsBackground()) FillBackground(dc, columns, span->record, grid);
  DrawLevelBands(dc, columns);
  DrawPreTrigger(dc, *span, columns);
  if (!(m_options & kGraticuleNoLines)) DrawOutOfRange(dc, columns);
  if (columns.left < columns.right) {
    if (grid && m_gridShown) DrawGridPasses(dc, *span, columns);
    DrawLevelLines(dc, columns);
  }
  if (span->origin < 0) DrawRecordStart(dc, *span, columns, flags);
  m_lastDrawnRecord = span->record;
  return S_OK;
}

void GraticuleDrawer::DrawLevelBands(HDC dc, const RECT& columns) {
  GraticuleLevels& levels = m_levels;
  const DWORD set = levels.flags & (kLevel1Set | kLevel2Set);
  if (!set) return;
  LONG rows[2] = {};
  for (int i = 0; i < 2; ++i) {
    double value = levels.level[i];
    const Quor::String& unit = levels.texts[2 * i + 1];
    // A unit without a prefix letter leaves the level as it is.
    const double factor = unit.IsEmpty() ? 1.0 : UnitPrefixScale(unit[0]);
    if (factor != 0.0) value /= factor;
    const double row = std::trunc((m_scale[1] + value) * m_scale[0]);
    rows[i] = LONG(std::clamp(std::isnan(row) ? 0.0 : row, double(-kLevelRowLimit), double(kLevelRowLimit)));
  }
  if (set == kLevel1Set) rows[1] = rows[0];
  if (set == kLevel2Set) rows[0] = rows[1];
  if (rows[0] > rows[1]) std::swap(rows[0], rows[1]);
  levels.rows[0] = rows[0];
  levels.rows[1] = rows[1];
  const RECT above = {columns.left, columns.top, columns.right, std::min(columns.top + rows[0], columns.bottom)};
  const RECT between = {columns.left, std::max(columns.top + rows[0], columns.top), columns.right,
                        std::min(columns.top + rows[1], columns.bottom)};
  const RECT below = {columns.left, std::max(columns.top + rows[1], columns.top), columns.right, columns.bottom};
  // Rows grow downwards; with a positive gain higher values lie lower and the outer bands trade
  // places.
  const bool upward = m_scale[0] <= 0.0;
  if ((levels.flags & (kLevelFillBetween | kLevel1Set | kLevel2Set)) ==
      (kLevelFillBetween | kLevel1Set | kLevel2Set)) {
    Fill(dc, between, levels.between);
  }
  if (levels.flags & kLevelFillAbove) Fill(dc, upward ? above : below, levels.beyondSecond);
  if (levels.flags & kLevelFillBelow) Fill(dc, upward ? below : above, levels.beyondFirst);
}

void GraticuleDrawer::DrawPreTrigger(HDC dc, const DrawSpan& span, const RECT& columns) const {
  if (!m_preTrigger || !attached || !(onlineRecord & kOnlinePreTrigger) || span.record != latestRecord) return;
  // The hatch paints from row 0 of the context: move the origin to the lane's top.
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x, origin.y + columns.top, nullptr);
  m_preTrigger->Draw(dc, span.first, columns.left, columns.right);
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

void GraticuleDrawer::DrawOutOfRange(HDC dc, const RECT& columns) const {
  if (m_rangeSwitch[0]) {
    Fill(dc, {columns.left, columns.top, columns.right, columns.top + m_rangeRows[0]}, kOutOfRangeBackground);
  }
  if (m_rangeSwitch[1]) {
    Fill(dc, {columns.left, columns.top + m_rangeRows[1] + 1, columns.right, columns.bottom},
         kOutOfRangeBackground);
  }
}

void GraticuleDrawer::DrawGridPasses(HDC dc, const DrawSpan& span, const RECT& columns) {
  const COLORREF minor = AdjustBrightness(m_gridColour, m_gridStyle == kGridDots ? -0.3 : 0.15);
  const COLORREF major =
      AdjustBrightness(m_gridColour, std::min(HsvColour::FromColour(minor).saturation / 1.6, 0.35));
  const TimeGrid& time = span.timeGrid;
  const LONGLONG columnOrigin = span.first - span.leftColumn;
  for (const bool isMajor : {false, true}) {
    COLORREF colour = isMajor ? major : minor;
    if (Pane()) Pane()->GetContrastColour(colour, &colour);
    const HBRUSH brush = CreateSolidBrush(colour);
    const HGDIOBJ previous = SelectObject(dc, brush);
    const COLORREF text = SetTextColor(dc, kBlack);
    const COLORREF back = SetBkColor(dc, kWhite);
    if (m_gridStyle != kGridDots && !(m_options & kGraticuleNoRows)) {
      DrawHorizontalLines(dc, columns.left, columns.right, isMajor);
    }
    const double step = isMajor ? time.minorStep * time.minorPerMajor : time.minorStep;
    if (!(m_options & kGraticuleNoLines) && step > 0.0 && time.minorPerMajor > 0) {
      const double origin = isMajor ? time.firstMajor : time.firstMinor;
      // The first line at or after the visible start.
      double position = origin + std::round((double(span.first) - origin) / step) * step;
      if (std::floor(position + 0.5) < double(span.first)) position += step;
      DrawVerticalLines(dc, columns.left, columns.right, columnOrigin, position, step, isMajor);
    }
    SetBkColor(dc, back);
    SetTextColor(dc, text);
    SelectObject(dc, previous);
    DeleteObject(brush);
  }
}

void GraticuleDrawer::DrawHorizontalLines(HDC dc, LONG first, LONG end, bool major) {
  WithBitmap(m_rowBitmaps[major ? 1 : 0], [&](HDC memory) {
    for (LONG x = first; x < end; ++x) BitBlt(dc, x, rect.top, 1, LaneHeight(), memory, 0, 0, PSDPXAX);
  });
}

void GraticuleDrawer::DrawVerticalLines(HDC dc, LONG first, LONG end, LONGLONG columnOrigin,
                                        double position, double step, bool) {
  // Dots: the rows' own bitmap stamped at each line.
  const HBITMAP column = m_gridStyle == kGridDots ? m_rowBitmaps[0] : m_lineBitmaps[0];
  WithBitmap(column, [&](HDC memory) {
    for (LONGLONG x = LONGLONG(std::floor(position + 0.5)) - columnOrigin; x < end;
         position += step, x = LONGLONG(std::floor(position + 0.5)) - columnOrigin) {
      if (x >= first) BitBlt(dc, int(x), rect.top, 1, LaneHeight(), memory, 0, 0, PSDPXAX);
    }
  });
}

void GraticuleDrawer::DrawLevelLines(HDC dc, const RECT& columns) const {
  const DWORD flags = m_levels.flags;
  const bool lines[2] = {(flags & (kLevelLine1 | kLevel1Set)) == (kLevelLine1 | kLevel1Set),
                         (flags & (kLevelLine2 | kLevel2Set)) == (kLevelLine2 | kLevel2Set)};
  for (int i = 0; i < 2; ++i) {
    const LONG y = columns.top + m_levels.rows[i];
    if (!lines[i] || y < columns.top || y >= columns.bottom) continue;
    Fill(dc, {columns.left, y, columns.right, y + 1}, m_levels.lineColour[i]);
  }
}

void GraticuleDrawer::DrawRecordStart(HDC dc, const DrawSpan& span, const RECT& columns,
                                      DWORD flags) const {
  const LONG x = LONG(span.leftColumn - span.origin);
  const bool monochrome = Monochrome();
  double resolution = kScreenPixelsPerMillimetre;
  if (Pane()) Pane()->GetResolutionX(0, dc, &resolution);
  bool marked = false;
  DWORD paneFlags = 0;
  if (Pane()) Pane()->GetPaneFlags(nullptr, &paneFlags);
  if (paneValue != 0 && !(paneFlags & 0x40000000) && TraceData()) {
    const LONG flagged = PaneChannel();
    Quor::ComPtr<IQuorBitset> set;
    TraceData()->GetFlaggedChannels(span.record, Quor::ComPtrOut<IQuorBitset>::Bind(set));
    if (set && flagged >= 0 && Quor::Bitset::FromInterface(set.Get()).TestBit(std::size_t(flagged))) {
      const LONG width = monochrome ? LONG(0.3 * resolution + 0.5) : 1;
      Fill(dc, {x - 2, columns.top, x - 2 + std::max(width, LONG(1)), columns.bottom}, kBlack);
      marked = true;
    }
  }
  if ((flags & kDrawNoRecordStartLine) || marked || !m_secondaryLabel) return;
  if (x < columns.left + 2 || x > columns.right + 3) return;
  const LONG width = monochrome ? LONG(0.4 * resolution + 0.5) : 2;
  const LONG left = x - (monochrome ? LONG(3.0 * PrintScale()) : 3);
  Fill(dc, {left, columns.top + 2, left + std::max(width, LONG(1)), columns.bottom - 2}, kBlack);
}

}  // namespace PendrelDraw

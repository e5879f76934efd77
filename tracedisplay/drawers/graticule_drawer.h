// GraticuleDrawer: the background of one channel lane of one record: the lane's colour, the
// grid (horizontal rows at the vertical scale's ticks and vertical lines at the time steps, or
// dots), the areas outside the scale's valid range, up to two level lines with their bands, and
// the hatch behind data recorded before a trigger point, and the mark where a record starts. On screen it stamps cached one-pixel-wide monochrome column
// bitmaps in the grid colours, column by column; MetafileGraticuleDrawer draws the same grid
// with real lines for printing and metafiles. Made by its owner with no reference and held by
// the band it is drawn in.
#pragma once

#include <memory>
#include <vector>

#include "tracedisplay/background/pre_trigger_background.h"
#include "tracedisplay/drawers/drawer_base.h"
#include "tracedisplay/drawers/graticule_levels.h"

namespace PendrelDraw {

// Options of a graticule.
inline constexpr DWORD kGraticuleNoRows = 0x80000000;
inline constexpr DWORD kGraticuleNoLines = 0x40000000;
inline constexpr DWORD kGraticuleNoGrid = kGraticuleNoRows | kGraticuleNoLines;
inline constexpr DWORD kGraticuleMetafile = 0x20000000;
inline constexpr DWORD kGraticuleAlwaysGrid = 0x800000;

// Clone flag: the copy draws with real lines.
inline constexpr DWORD kCloneAsMetafileGraticule = 0x40000000;
// Draw flag: no start line where a record begins.
inline constexpr DWORD kDrawNoRecordStartLine = 0x40000;

// Lane colours.
inline constexpr COLORREF kLatestRecordBackground = RGB(235, 235, 220);
inline constexpr COLORREF kOutOfRangeBackground = RGB(245, 242, 230);

class GraticuleDrawer : public DrawerBase {
 public:
  GraticuleDrawer(LONGLONG ignored, DWORD options, COLORREF gridColour, DWORD ignored2,
                  LONG channelIndex, LONG dataKind);

  HRESULT Attach(DWORD ignored, IUnknown* source) override;
  HRESULT SetExtent(DWORD paneId, const RECT* rect) override;
  HRESULT GetCapabilities(DWORD ignored, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                          DWORD ignored2) override;
  HRESULT SetTimeRange(LONG laneKind, DWORD ignored, const double* range, IUnknown* scale) override;
  HRESULT Refresh(DWORD what) override;
  HRESULT Draw(HDC dc, const DrawSpan* span, DWORD flags) override;
  // Makes the pre-trigger hatch for the lane height; from then on the latest record, while the
  // host samples it before a trigger, is drawn over the hatch.
  HRESULT PrepareBackground(IDrawerDataPane* pane) override;
  HRESULT UpdateFromChannel(IUnknown* settings, IUnknown* labels, LONG channel) override;
  HRESULT Clone(DWORD flags, IPendrelRecordDrawer** copy) override;
  const void* GetScaleLabels() override { return &m_levels; }

  GraticuleLevels& Levels() { return m_levels; }
  DWORD Options() const { return m_options; }
  COLORREF GridColour() const { return m_gridColour; }
  LONG GridStyle() const { return m_gridStyle; }
  bool GridShown() const { return m_gridShown; }
  bool SecondaryLabel() const { return m_secondaryLabel; }
  bool HasBitmaps() const { return m_rowBitmaps[0] != nullptr; }
  LONG LabelWidth() const { return m_labelWidth; }

 protected:
  ~GraticuleDrawer() override;
  DrawerBase* MakeCopy() const override;
  // What a copy takes: the base record, data origin, lane kind, grid colour and style and the
  // two flags; not the scale, the bitmaps, the rows nor the levels.
  void CopySettingsTo(GraticuleDrawer& copy) const;

  // A grid row of the lane and whether it is a major one.
  struct GridRow {
    LONG row;
    bool major;
  };

  virtual void RebuildBitmaps();
  // The rows of one kind across client columns [first, end).
  virtual void DrawHorizontalLines(HDC dc, LONG first, LONG end, bool major);
  // Vertical lines at `position`, `position + step`, ... (data pane pixels) up to client column
  // `end`; data pixel p is at client column p - columnOrigin.
  virtual void DrawVerticalLines(HDC dc, LONG first, LONG end, LONGLONG columnOrigin,
                                 double position, double step, bool major);
  virtual bool FillsBackground() const { return true; }

  LONG LaneHeight() const { return rect.bottom - rect.top; }
  const std::vector<GridRow>& Rows() const { return m_rows; }
  bool Monochrome() const;

 private:
  bool LaneHasGrid(LONG record) const;
  // The channel of the pane's colour slot, or the drawer's own.
  LONG PaneChannel() const;
  void FillBackground(HDC dc, const RECT& columns, LONG record, bool grid) const;
  // The grid rows and the valid range's rows from a scale object.
  void ComputeRows(IUnknown* scale);
  void StampRowBitmaps();
  void DrawLevelBands(HDC dc, const RECT& columns);
  void DrawPreTrigger(HDC dc, const DrawSpan& span, const RECT& columns) const;
  void DrawOutOfRange(HDC dc, const RECT& columns) const;
  void DrawGridPasses(HDC dc, const DrawSpan& span, const RECT& columns);
  void DrawLevelLines(HDC dc, const RECT& columns) const;
  void DrawRecordStart(HDC dc, const DrawSpan& span, const RECT& columns, DWORD flags) const;
  static void Fill(HDC dc, const RECT& area, COLORREF colour);

  LONGLONG m_dataOrigin = 0;
  LONG m_laneKind = 1;
  COLORREF m_gridColour;
  HBITMAP m_rowBitmaps[2] = {};   // ordinary, major
  HBITMAP m_lineBitmaps[2] = {};  // solid columns
  double m_scale[2] = {1.0, 0.0};
  std::unique_ptr<DrawPreTriggerBackground> m_preTrigger;
  LONG m_labelWidth = 0;
  GraticuleLevels m_levels;
  LONG m_lastDrawnRecord = -1;
  std::vector<GridRow> m_rows;
  DWORD m_options;
  // The scale offered no ticks: no grid until one does.
  bool m_noTicks = false;
  LONG m_gridStyle = 0;
  LONG m_rangeRows[2] = {0, 0};
  bool m_rangeSwitch[2] = {false, false};
  bool m_gridShown = true;
  bool m_secondaryLabel = true;
};

}  // namespace PendrelDraw

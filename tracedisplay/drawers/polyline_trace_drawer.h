// PolyLineTraceDrawer: one channel of one record drawn as a trace. The host's decimating point
// source turns the samples into short segments, one or more per pixel column, at the drawer's
// vertical scale; the drawer draws them in blocks of 256 points with one PolyPolyline each. It
// keeps the point source between paints (when the paint asks it to), so that a scroll by a few
// columns, or newly sampled data, continues where the last paint stopped. Made by its owner with
// no reference and held by the band it is drawn in.
#pragma once

#include <array>

#include "core/com_ptr.h"

#include "platform/pendrel/sweep_overlay.h"
#include "platform/pendrel/trace_points.h"
#include "tracedisplay/drawers/drawer_base.h"
#include "tracedisplay/drawers/record_drawer.h"

namespace PendrelDraw {

// Draw flags of the trace drawers.
inline constexpr DWORD kDrawKeepPointSource = 0x80000000;
inline constexpr DWORD kDrawFreshPointSource = 0x08000000;

struct TraceDrawerInit {
  LONG laneKind = 0;
  const COLORREF* colour = nullptr;  // null: the channel palette's colour
  DWORD traceMode = 0;
  DWORD id = 0x201;
  LONG channelIndex = 0;
  LONG dataKind = 0;
  LONG secondIndex = kNoChannelIndex;
  LONG secondKind = kNoChannelKind;
};

class PolyLineTraceDrawer : public DrawerBase, public IPendrelUnitMapping {
 public:
  explicit PolyLineTraceDrawer(const TraceDrawerInit& init);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return DrawerBase::AddRef(); }
  ULONG Release() override { return DrawerBase::Release(); }

  // IPendrelUnitMapping: the channel's unit text as GetValueAt gives it, in the channel's own
  // values (the mapping and range stay as the caller started them), and the extremes of the
  // channel over data pixels, so that its axis can follow the data.
  HRESULT GetUnitMapping(LONG fixedUnits, LONG axis, LONG record, IQuorString** text,
                         VARIANT_BOOL* flag, double* mapping, double* range) override;
  HRESULT GetAxisDataRange(LONG axis, LONGLONG first, LONGLONG end, double* range) override;

  HRESULT Attach(DWORD ignored, IUnknown* source) override;
  HRESULT GetCapabilities(DWORD ignored, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                          DWORD ignored2) override;
  HRESULT GetValueAt(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag) override;
  HRESULT SetTimeRange(LONG laneKind, DWORD ignored, const double* range, IUnknown* scale) override;
  HRESULT Refresh(DWORD what) override;
  HRESULT Draw(HDC dc, const DrawSpan* span, DWORD flags) override;
  HRESULT GetDataRange(LONGLONG start, LONGLONG count, LONGLONG* end) override;
  HRESULT Invalidate(DWORD a, DWORD b) override;
  HRESULT OnDataChanged(DWORD flags, LONG laneKind, const LONG* four, LONG last) override;
  HRESULT GetChannel(DWORD* laneKind) override;
  HRESULT ReleaseSource(DWORD what) override;
  HRESULT UpdateFromChannel(IUnknown* settings, IUnknown* labels, LONG channel) override;
  HRESULT HitTest(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag,
                  double* range, double* secondRange, double* value) override;

  COLORREF Colour() const { return m_colour; }
  DWORD TraceMode() const { return m_traceMode; }
  LONG PenWidth() const { return m_penWidth; }
  double Gain() const { return m_gain; }
  double Offset() const { return m_offset; }
  bool HasPointSource() const { return m_points != nullptr; }

 protected:
  ~PolyLineTraceDrawer() override;
  DrawerBase* MakeCopy() const override;
  // What a copy takes of this drawer: the base record, trace mode, colour, lane kind and pen
  // width; not the vertical scale nor the sources.
  TraceDrawerInit CopyInit() const;
  void CopyStateTo(PolyLineTraceDrawer& copy) const;

  virtual void BeginRun(HDC, LONGLONG, LONG) {}
  virtual void EndRun(HDC) {}
  virtual void AdjustStart(LONGLONG, LONGLONG* shift) { *shift = 0; }
  // Draws up to `columns` columns from the point source, from client column `left`; returns the
  // columns drawn.
  virtual LONG DrawRun(HDC dc, LONG columns, LONG left, LONG dataKind, LONG record);
  virtual COLORREF AdjustColour(COLORREF colour, LONG) { return colour; }
  virtual bool IsSplit() { return false; }

  // The channel whose settings the drawer takes: the second channel for a lane of kind 4.
  LONG SettingsChannel() const;
  LONG LaneKind() const { return m_laneKind; }
  // The channel object of (address, record, channel) as its trace face; empty when there is none.
  Quor::ComPtr<IPendrelTraceChannel> ChannelObject(DWORD address, LONG record, LONG channel) const;
  // The address words of hit tests: A for drawing, B for the channel's own units.
  DWORD DrawingAddress() const { return AddressWord(true); }
  DWORD UnitsAddress() const { return (AddressWord(true) | 0x2000) & ~DWORD(0x1000); }
  // The unit flag as HitTest reports it: cleared, then the host's answer for `address`.
  void ReadUnitFlag(DWORD address, VARIANT_BOOL* flag) const;

 private:
  void ReleasePointSource();
  // Continues with the kept point source; false when it cannot serve this span.
  bool ContinueKeptSource(HDC dc, const DrawSpan& span);
  bool CreatePointSource(LONGLONG start, LONG record);
  void DrawOverlaySegment(HDC dc, LONGLONG first, LONGLONG end, LONG left, LONG record);
  COLORREF RunColour(LONG dataKind);
  // Reads the record's first pixel of the host's latest record (while sampling).
  void ReadDataOrigin();

  LONGLONG m_dataOrigin = 0;
  double m_gain = 1.0;
  double m_offset = 0.0;
  IPendrelPointSource* m_points = nullptr;
  IPendrelSweepOverlay* m_overlay = nullptr;
  DWORD m_traceMode;
  COLORREF m_colour;
  LONG m_laneKind;
  LONG m_penWidth = 1;
  // The record the kept point source reads.
  LONG m_pointsRecord = -1;
  std::array<POINT, kPointSourceBlock> m_block;
};

}  // namespace PendrelDraw

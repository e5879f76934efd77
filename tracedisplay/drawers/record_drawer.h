// IPendrelRecordDrawer: one drawing layer of a band of a data pane (graticule, trace, event
// marks, time labels). A band holds its drawers sorted by id; the id's high bits (id / 256) name
// the layer the drawer paints into. Positions given to Draw are pixels of the data pane's axis.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/gdi.h"
#include "platform/win32/unknown.h"
#include "tracedisplay/drawers/drawer_data_pane.h"

namespace PendrelDraw {

// Where the vertical time lines of a span fall, in pixels of the data pane: the first minor and
// the first major line, the minor step, and how many minor steps make a major one (0: no lines).
struct TimeGrid {
  double firstMinor = 0.0;
  double firstMajor = 0.0;
  double minorStep = 0.0;
  LONG minorPerMajor = 0;
};

// The part of a record a band asks its drawers to draw.
struct DrawSpan {
  LONGLONG first = 0;   // first data pixel
  LONGLONG end = 0;     // one past the last
  LONGLONG origin = 0;  // the record's start relative to `first`
  LONG record = 0;
  LONG leftColumn = 0;  // client x of `first`
  RECT clip = {};
  TimeGrid timeGrid = {};
};

}  // namespace PendrelDraw

struct IPendrelRecordDrawer : IUnknown {
  PLATFORM_INTERFACE_ID("2e9c5a71-d043-4b8e-a1f6-7c3d0b9e8a52");
  using Base = IUnknown;
  virtual HRESULT Attach(DWORD ignored, IUnknown* source) = 0;
  virtual HRESULT SetExtent(DWORD paneId, const RECT* rect) = 0;
  virtual HRESULT GetId(DWORD* id) = 0;
  virtual HRESULT GetCapabilities(DWORD ignored, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                                  DWORD ignored2) = 0;
  virtual HRESULT GetPreferredSize(LONG* pair) = 0;
  // The unit text of a lane kind in a record; `flag` tells whether the drawer has units there.
  virtual HRESULT GetValueAt(LONG laneKind, LONG record, IQuorString** text,
                             VARIANT_BOOL* flag) = 0;
  virtual HRESULT GetLaneValue(LONG record, IUnknown** value) = 0;
  // The vertical scale of a lane kind: `range` is (gain, offset), which put a value v on row
  // floor((v + offset) x gain) of the drawer's rectangle; the band makes them from its axis's
  // value range (ChannelPane::ScaleDrawer). `source` is the axis's scale object.
  virtual HRESULT SetTimeRange(LONG laneKind, DWORD ignored, const double* range,
                               IUnknown* source) = 0;
  virtual HRESULT Refresh(DWORD what) = 0;
  virtual HRESULT Draw(HDC dc, const PendrelDraw::DrawSpan* span, DWORD flags) = 0;
  virtual HRESULT PrepareBackground(PendrelDraw::IDrawerDataPane* pane) = 0;
  virtual HRESULT SetChannel(DWORD onlineRecord, VARIANT_BOOL moreData) = 0;
  // How far the drawer's data reaches after new data [start, start + count); S_FALSE: unknown.
  virtual HRESULT GetDataRange(LONGLONG start, LONGLONG count, LONGLONG* end) = 0;
  virtual HRESULT Invalidate(DWORD a, DWORD b) = 0;
  virtual HRESULT Reserved1(VARIANT_BOOL flag) = 0;
  virtual HRESULT Reserved2(DWORD a, DWORD b) = 0;
  // A change of the data of a lane kind: four words and a fifth, passed on to the host.
  virtual HRESULT OnDataChanged(DWORD flags, LONG laneKind, const LONG* four, LONG last) = 0;
  virtual HRESULT GetChannel(DWORD* laneKind) = 0;
  virtual HRESULT ReleaseSource(DWORD what) = 0;
  virtual HRESULT GetScale(LONG* pair) = 0;
  virtual HRESULT SetColour(DWORD ignored, LONG slot) = 0;
  virtual HRESULT UpdateFromChannel(IUnknown* settings, IUnknown* labels, LONG channel) = 0;
  // The unit text and flag as GetValueAt gives them; a drawer with a channel also fills, when
  // asked, the channel's value mapping (`range`), the mapping for the drawing address
  // (`secondRange`) and the value of one unit.
  virtual HRESULT HitTest(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag,
                          double* range, double* secondRange, double* value) = 0;
  virtual HRESULT SetUnits(PendrelDraw::IDrawerDataPane* pane) = 0;
  virtual HRESULT Reserved3() = 0;
  virtual HRESULT Reserved4(DWORD what) = 0;
  virtual HRESULT Clone(DWORD flags, IPendrelRecordDrawer** copy) = 0;
  virtual HRESULT SetOwner(DWORD paneValue) = 0;
  virtual const void* GetScaleLabels() = 0;

 protected:
  ~IPendrelRecordDrawer() = default;
};

// The unit mapping of a drawer that shows a channel in units of its own: reached by
// QueryInterface on the drawer.
struct IPendrelUnitMapping : IUnknown {
  PLATFORM_INTERFACE_ID("5a0e8d36-f1b2-4c97-8e43-b6d29c7f1a08");
  using Base = IUnknown;
  // The unit text of an axis in a record, the value mapping (factor, offset) and the data range
  // in those units; `flag` tells whether the drawer has units there.
  virtual HRESULT GetUnitMapping(LONG fixedUnits, LONG axis, LONG record, IQuorString** text,
                                 VARIANT_BOOL* flag, double* mapping, double* range) = 0;
  // The range of the drawer's data on an axis over the pixels [first, end); S_OK when it has data.
  virtual HRESULT GetAxisDataRange(LONG axis, LONGLONG first, LONGLONG end, double* range) = 0;

 protected:
  ~IPendrelUnitMapping() = default;
};

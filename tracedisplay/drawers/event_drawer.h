// EventDrawer: the marks of one event channel in its lane. For each event inside the span it
// draws a dotted grey line over the lane's height and a small circle at the top, filled in the
// event's colour, which the host's colour service for the event type answers. Events are read
// from the host's event enumerator through an event cache; the drawer remembers how far the
// marks of the host's latest record reach. It lives as long as the band that holds it.
#pragma once

#include "platform/pendrel/event_colours.h"
#include "platform/pendrel/sweep_overlay.h"
#include "platform/pendrel/trace_data.h"
#include "tracedisplay/drawers/drawer_base.h"
#include "tracedisplay/drawers/event_cache.h"

namespace PendrelDraw {

inline constexpr DWORD kEventDrawerId = 0x402;
// The grey of the mark lines.
inline constexpr COLORREF kEventLineColour = RGB(192, 192, 192);

class EventDrawer final : public DrawerBase {
 public:
  EventDrawer(DWORD ignored, LONG channelIndex, LONG dataKind,
              LONG secondIndex = kNoChannelIndex, LONG secondKind = kNoChannelKind);

  HRESULT Attach(DWORD ignored, IUnknown* source) override;
  HRESULT GetCapabilities(DWORD ignored, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                          DWORD ignored2) override;
  HRESULT SetTimeRange(LONG laneKind, DWORD ignored, const double* range,
                       IUnknown* source) override;
  HRESULT Refresh(DWORD what) override;
  HRESULT Draw(HDC dc, const DrawSpan* span, DWORD flags) override;
  HRESULT SetChannel(DWORD onlineRecord, VARIANT_BOOL moreData) override;
  HRESULT GetDataRange(LONGLONG start, LONGLONG count, LONGLONG* end) override;
  HRESULT Invalidate(DWORD a, DWORD b) override;
  HRESULT ReleaseSource(DWORD what) override;

  double CurrentPosition() const { return m_currentPosition; }
  LONGLONG LastMark() const { return m_lastMark; }
  IEnumEventEx* Enumerator() const { return m_events.Enumerator(); }

 protected:
  ~EventDrawer() override;
  DrawerBase* MakeCopy() const override;

 private:
  EventDrawer(const EventDrawer& other);

  // The first tick of `record` shown in the span; false when the span shows none of it.
  bool StartTick(const DrawSpan& span, LONG* tick);
  // Opens an enumerator over the record's events from `tick` when none is kept for it.
  bool EnsureEnumerator(LONG record, LONG tick);
  // Makes the colour service follow the enumerator's event type.
  void FollowEventType();
  void DrawMarks(HDC dc, const DrawSpan& span);
  COLORREF FillColour(const void* event);
  COLORREF Contrast(COLORREF colour);

  double m_currentPosition = -1.0;
  LONGLONG m_lastMark = -1;
  IPendrelSweepOverlay* m_overlay = nullptr;
  EventCache m_events;
  LONG m_openedFrom = 0;  // the first tick the kept enumerator reads
  IPendrelEventColours* m_colours = nullptr;
  DWORD m_coloursType = 0;
};

}  // namespace PendrelDraw

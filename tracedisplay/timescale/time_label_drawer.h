// TimeLabelDrawer: the only drawer of the time scale. For each record span it fills the band
// white, lays the ticks out from the visible time span (tick_layout.h), draws them down from the
// band's top with the time labels below the major ones, and the numbered marks of the data view.
// The label texts follow the view's time display mode. It draws with the scale's label font and
// tells the scale the state of the labels it drew.
#pragma once

#include "core/quor_string.h"
#include "platform/pendrel/trace_data.h"
#include "tracedisplay/drawers/drawer_base.h"
#include "tracedisplay/timescale/tick_layout.h"

namespace PendrelDraw {

class TimeScale;

// The label state word: the display mode in the low byte, labels in milliseconds.
inline constexpr DWORD kLabelsInMilliseconds = 0x20000000;

// The label of a tick at `seconds` in a label state's display mode (clock hours modulo 24).
Quor::String TimeLabelText(DWORD modeWord, double seconds);
// Labels stand on every major tick, or on every second one when the longer of two labels,
// with two characters to spare, is as wide as a major interval.
LONG LabelInterval(DWORD longestChars, LONG charWidth, double majorPixels);

class TimeLabelDrawer final : public DrawerBase {
 public:
  // `scale` owns the drawer (null for a copy that belongs to none).
  explicit TimeLabelDrawer(TimeScale* scale);

  HRESULT GetCapabilities(DWORD ignored, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                          DWORD dc) override;
  HRESULT SetTimeRange(LONG laneKind, DWORD ignored, const double* range,
                       IUnknown* source) override;
  HRESULT Refresh(DWORD what) override;
  HRESULT Draw(HDC dc, const DrawSpan* span, DWORD flags) override;
  HRESULT Clone(DWORD flags, IPendrelRecordDrawer** copy) override;

  const TickLayout& Layout() const { return m_layout; }
  // The label interval of the last draw in major intervals: 1, or 2 when labels would crowd.
  LONG LabelEvery() const { return m_labelEvery; }

 protected:
  DrawerBase* MakeCopy() const override;

 private:
  struct SpanTime;

  bool TimeOfSpan(const DrawSpan& span, SpanTime* time);
  void ChooseLabelInterval(HDC dc, double firstLabel, LONG charWidth);
  void DrawTicks(HDC dc, const DrawSpan& span, const SpanTime& time, LONG left, LONG right);
  void DrawNumberedMarks(HDC dc, const DrawSpan& span, LONG left, LONG right);

  TimeScale* m_scale;
  TickLayout m_layout;
  DWORD m_modeWord = 2;
  LONG m_labelEvery = 1;
};

}  // namespace PendrelDraw

// How a channel computed by the module's own channel calculation tells the document what it
// shows: the calculation object answers this interface, so that the document can draw the
// classifier limits on channels that show the beat period, the beat rate or the complexity.
// Calculations of other classes do not answer it.
#pragma once

#include "platform/win32/unknown.h"

namespace Rhyth {

// The beat measures that carry classifier limits (the selector's types).
constexpr LONG kMeasureBeatPeriod = 0;
constexpr LONG kMeasureBeatRate = 2;
constexpr LONG kMeasureComplexity = 5;

struct ICalcChannelDisplay : IUnknown {
  PLATFORM_INTERFACE_ID("7513e79c-f19f-4165-89f8-26465d8eec57");
  using Base = IUnknown;
  // S_OK with the measure and the show-limits flag; S_FALSE when the calculation's settings
  // are of the channel calculation's type but hold no usable choice (its limits are hidden);
  // a failure when its settings are of another type (nothing is drawn or hidden).
  virtual HRESULT GetShownMeasure(LONG* measure, BYTE* showLimits) = 0;

 protected:
  ~ICalcChannelDisplay() = default;
};

}  // namespace Rhyth

#include "tracedisplay/timescale/tick_layout.h"

#include <cmath>

#include "tracedisplay/steps/axis_steps.h"

namespace PendrelDraw {

namespace {

constexpr double kMinute = 60.0;
constexpr double kHour = 3600.0;
constexpr double kDay = 86400.0;

// t in units of `unit`, rounded up to a step of the decimal or the hour table.
MajorInterval InUnits(double t, double unit, bool hourSteps) {
  double units = t / unit;
  LONG step = 1;
  if (hourSteps) {
    NiceStepTime(units, step);
  } else {
    NiceStepDecimal(units, step);
  }
  return {units * unit, step, false};
}

}  // namespace

MajorInterval ChooseMajorInterval(double t) {
  if (t < 15.0) return InUnits(t, 1.0, false);
  if (t < 900.0) {
    MajorInterval minutes = InUnits(t, kMinute, false);
    minutes.wholeUnit = minutes.seconds < 61.0;
    return minutes;
  }
  if (t < 3601.0) return {kHour, 1, true};
  if (t < 64800.0) {
    MajorInterval hours = InUnits(t, kHour, true);
    hours.wholeUnit = hours.step >= 6;
    return hours;
  }
  if (t < 86401.0) return {kDay, 1, true};
  return InUnits(t, kDay, false);
}

LONG MinorTicksPerMajor(const MajorInterval& major, double majorPixels, LONG charWidth) {
  const LONG count = major.wholeUnit ? 6 : major.step == 2 ? 4 : 5;
  return majorPixels / count < double(LONG(3 * charWidth)) ? 2 : count;
}

TickLayout ComputeTickLayout(LONG charWidth, double secondsPerPixel, LONG paneWidth) {
  TickLayout layout;
  const double shortest = double(LONG(charWidth * 18.001)) * secondsPerPixel;
  layout.major = ChooseMajorInterval(shortest);
  layout.majorPixels = layout.major.seconds / secondsPerPixel;
  layout.minorPerMajor = MinorTicksPerMajor(layout.major, layout.majorPixels, charWidth);
  layout.minorSpacing = layout.majorPixels / layout.minorPerMajor;
  layout.majorCount = LONG(paneWidth / layout.majorPixels + 1.0);
  layout.coveredTime = layout.majorCount * layout.major.seconds;
  return layout;
}

}  // namespace PendrelDraw

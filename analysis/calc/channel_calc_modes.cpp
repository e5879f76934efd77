#include "analysis/calc/channel_calc_modes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/module_strings.h"

namespace Rhyth {

namespace {

struct ModeRow {
  LONG mode;
  UINT titleId;
  const WCHAR* unit;
  double fixedHalfRange;  // the output holds at least -h to h
};

constexpr ModeRow kModes[] = {
    {kCalcModeBeatPeriod, 14, u"s", 2.0},
    {kCalcModeBeatPeriodChange, 15, u"s", 0.1},
    {kCalcModeBeatRate, 16, u"BPM", 120.0},
    {kCalcModeBeatComplexity, 17, u"", 2.0},
};
constexpr double kOtherModeHalfRange = 10.0;

// How far beyond a limit a beat can lie and still show: an interval doubled by a missed beat
// and half again, or halved by an extra beat.
constexpr double kBeyondUpperLimit = 3.0;
constexpr double kBeyondLowerLimit = 0.5;
// A rate channel holds at least a running human's rate.
constexpr double kLeastRateHalfRange = 240.0;
constexpr double kShortestInterval = 0.01;  // s

const ModeRow* FindMode(LONG mode) {
  for (const ModeRow& row : kModes)
    if (row.mode == mode) return &row;
  return nullptr;
}

double Usable(double limit, double fallback) {
  return std::isfinite(limit) && limit > 0.0 ? limit : fallback;
}

double HalfRangeOfLimits(LONG mode, const ClassifierLimits& limits) {
  const ClassifierLimits defaults;
  const double rrLow = std::max(Usable(limits.rrLow, defaults.rrLow), kShortestInterval);
  const double rrHigh = Usable(limits.rrHigh, defaults.rrHigh);
  const double ffHigh = Usable(limits.complexityHigh, defaults.complexityHigh);
  switch (mode) {
    case kCalcModeBeatPeriod:
    case kCalcModeBeatPeriodChange:
      return kBeyondUpperLimit * rrHigh;
    case kCalcModeBeatRate:
      return std::max(kLeastRateHalfRange, 60.0 / (kBeyondLowerLimit * rrLow));
    case kCalcModeBeatComplexity:
      return kBeyondUpperLimit * ffHigh;
    default:
      return 0.0;
  }
}

}  // namespace

Quor::String CalcModeTitle(LONG mode) {
  static const std::array<Quor::String, std::size(kModes)> titles = [] {
    std::array<Quor::String, std::size(kModes)> loaded;
    for (std::size_t i = 0; i < std::size(kModes); ++i) loaded[i] = ModuleString(kModes[i].titleId);
    return loaded;
  }();
  for (std::size_t i = 0; i < std::size(kModes); ++i)
    if (kModes[i].mode == mode) return titles[i];
  return Quor::String();
}

Quor::String CalcModeUnit(LONG mode) {
  const ModeRow* row = FindMode(mode);
  return row ? Quor::String(row->unit) : Quor::String();
}

OutputRange CalcModeRange(LONG mode, const std::optional<ClassifierLimits>& limits) {
  const ModeRow* row = FindMode(mode);
  if (!row) return {-kOtherModeHalfRange, kOtherModeHalfRange};
  const double half = std::max(row->fixedHalfRange, HalfRangeOfLimits(mode, limits.value_or(ClassifierLimits{})));
  return {-half, half};
}

}  // namespace Rhyth

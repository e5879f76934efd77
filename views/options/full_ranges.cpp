#include "views/options/full_ranges.h"

#include <cmath>

namespace Rhyth {

namespace {

constexpr double kMilli = 1000.0;
constexpr double kMargin = 0.05;

DWORD CountOf(IEtchEnumInfo* info) {
  DWORD count = 0;
  if (info && FAILED(info->GetCount(&count))) count = 0;
  return count;
}

// The data range of a series; (0, 0) without data or with an end that is not finite.
ViewRange DataRangeOf(IEtchEnumInfo* info) {
  ViewRange range;
  if (info && info->GetRange(&range.min, &range.max) == S_OK &&
      std::isfinite(range.min) && std::isfinite(range.max)) {
    return range;
  }
  return {};
}

void WidenBothEnds(ViewRange& range) {
  if (range.max == range.min) return;
  const double margin = kMargin * (range.max - range.min);
  range.max += margin;
  range.min -= margin;
}

void RaiseTop(ViewRange& range) {
  if (range.max != range.min) range.max += kMargin * (range.max - range.min);
}

ViewRange RRLimitsMs(const Settings& settings) {
  return {settings.classifier.rrHigh * kMilli, settings.classifier.rrLow * kMilli};
}

}  // namespace

void TachogramFullRange(const PlotOptionSource& source, IEtchEnumInfo* info, ViewRange& x,
                        ViewRange& y) {
  DWORD count = CountOf(info);
  y = {};
  if (source.busy) {
    count = (count / 500 + 1) * 500;
  } else {
    y = DataRangeOf(info);
  }
  if (y.IsNone()) y = RRLimitsMs(*source.settings);
  if (count == 0) count = 500;
  x = {double(count), 0.0};
  WidenBothEnds(y);
}

void SpectrumFullRange(const PlotOptionSource& source, IEtchEnumInfo* info, ViewRange& x,
                       ViewRange& y) {
  DWORD count = 0;
  y = {};
  if (!source.busy) {
    count = CountOf(info);
    y = DataRangeOf(info);
  }
  const double df = source.spectrum.step;
  const double k = source.spectrum.first;
  x = {};
  if (df > 0) x = {(double(count) - 1 + k) * df, k * df};
  if (x.IsNone() || !(df > 0) || source.busy) x = {source.settings->spectrum.maxFrequency, 0.0};
  if (y.IsNone()) y = {500.0, 0.0};
  RaiseTop(y);
}

void HistogramFullRange(const PlotOptionSource& source, IEtchEnumInfo* info, ViewRange& x,
                        ViewRange& y, bool delta) {
  const BinnedSeries& bins = delta ? source.deltaHistogram : source.rrHistogram;
  DWORD count = 0;
  y = {};
  if (!source.busy) {
    count = CountOf(info);
    y = DataRangeOf(info);
  }
  x = {};
  if (!source.busy && bins.step > 0) {
    x = {(double(bins.first) + count) * bins.step * kMilli, bins.first * bins.step * kMilli};
  }
  if (x.IsNone()) x = delta ? ViewRange{200.0, -200.0} : RRLimitsMs(*source.settings);
  if (y.IsNone()) y = {delta ? 200.0 : 100.0, 0.0};
  RaiseTop(y);
}

void ClassifierFullRange(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                         IEtchEnumInfo* yInfo, ViewRange& x, ViewRange& y) {
  const ClassifierLimits& limits = source.settings->classifier;
  const ViewRange boxX = RRLimitsMs(*source.settings);
  const ViewRange boxY{limits.complexityHigh, limits.complexityLow};
  ViewRange dataX, dataY;
  if (!source.busy) {
    dataX = DataRangeOf(xInfo);
    dataY = DataRangeOf(yInfo);
  }
  if (dataX.IsNone()) dataX = boxX;
  if (dataY.IsNone()) dataY = boxY;
  x = {boxX.max <= dataX.max ? dataX.max : boxX.max, dataX.min <= boxX.min ? dataX.min : boxX.min};
  y = {boxY.max <= dataY.max ? dataY.max : boxY.max, dataY.min <= boxY.min ? dataY.min : boxY.min};
  WidenBothEnds(y);
  WidenBothEnds(x);
}

void PoincareFullRange(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                       IEtchEnumInfo* yInfo, ViewRange& x, ViewRange& y) {
  x = {};
  y = {};
  if (!source.busy) {
    x = DataRangeOf(xInfo);
    y = DataRangeOf(yInfo);
  }
  if (x.IsNone()) x = RRLimitsMs(*source.settings);
  if (y.IsNone()) y = RRLimitsMs(*source.settings);
  WidenBothEnds(y);
  WidenBothEnds(x);
}

}  // namespace Rhyth

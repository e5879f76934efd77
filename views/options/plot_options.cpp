#include "views/options/plot_options.h"

#include <cmath>

#include "core/com_ptr.h"
#include "platform/pendrel/unit_name.h"
#include "views/marks/fiducial_draw_policy.h"
#include "views/options/option_text.h"

namespace Rhyth::PlotOptions {

namespace {

constexpr double kMilli = 1000.0;
const char16_t kFrequencyUnit[] = u"Hz";
const char16_t kHistogramUnit[] = u"ms";

Quor::String NameOf(IEtchEnumInfo* info) {
  Quor::String name;
  IQuorString* text = nullptr;
  if (info && SUCCEEDED(info->GetName(&text)) && text) {
    name.Adopt(static_cast<IAutoQuorString*>(text));
  }
  return name;
}

// The unit's text with its prefix ("ms"); empty without a unit.
Quor::String UnitTextOf(IEtchEnumInfo* info) {
  Quor::ComPtr<IUnknown> unit;
  if (info) info->GetUnit(Quor::ComPtrOut<IUnknown>::Bind(unit));
  Quor::ComPtr<IUnitName> name;
  if (unit) unit->QueryInterface(IUnitName::iid, Quor::ComPtrOut<IUnitName>::Bind(name));
  Quor::String text;
  IQuorString* shown = nullptr;
  if (name && SUCCEEDED(name->GetText(VARIANT_TRUE, &shown)) && shown) {
    text.Adopt(static_cast<IAutoQuorString*>(shown));
  }
  return text;
}

void Margins(OptionText& text, std::u16string_view block) {
  text << u"topmargin: 40, " << u"rightmargin: 40, " << block;
}

void FullRangePieces(OptionText& text, const ViewRange& x, const ViewRange& y) {
  text << u"fullrange_yscalemin: " << y.min << u"," << u"fullrange_yscalemax: " << y.max << u","
       << u"fullrange_xscalemin: " << x.min << u"," << u"fullrange_xscalemax: " << x.max << u",";
}

std::u16string_view Draggable(const PlotOptionSource& source) {
  return source.busy ? u"false" : u"true";
}

// The two series of a scatter plot and its colour, closing the plot's block.
void ScatterDataPieces(OptionText& text, const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                       IEtchEnumInfo* yInfo) {
  text << u"xdata: '" << NameOf(xInfo) << u"' " << SeriesIndexText() << u", "
       << u"ydata: '" << NameOf(yInfo) << u"' " << SeriesIndexText() << u", "
       << u"colour: " << SourceColourText(source, 1.0) << u"}, ";
}

// Seeded as the writers seed them; every full-range function overwrites them.
struct SeededRanges {
  ViewRange x{1.7976931348623157e308, -1.7976931348623157e308};
  ViewRange y{1.7976931348623157e308, -1.7976931348623157e308};
};

}  // namespace

Quor::String IndexAxisText() { return u"[0:1:end]"; }

Quor::String SeriesIndexText() { return u"[0:1:2147483647]"; }

Quor::String ValueAxisText(double start, double step) {
  OptionText text;
  text << u"[" << start << u":" << step << u":end]";
  return text.Text();
}

Quor::String WriteTachogram(const PlotOptionSource& source, IEtchEnumInfo* info) {
  const Quor::String unit = UnitTextOf(info);
  SeededRanges ranges;
  TachogramFullRange(source, info, ranges.x, ranges.y);
  OptionText text;
  Margins(text, u"tplot: {");
  text << u"id: 'rhyth_tachogram_view', "
       << u"cursor: { readout: 'RR Interval {0} = {1} " << unit << u"' }, "
       << u"xdata: " << IndexAxisText() << u", "
       << u"ydata: '" << NameOf(info) << u"' " << SeriesIndexText() << u", "
       << u"colour: " << SourceColourText(source, 1.0) << u"}, "
       << u"graticule: { colour:" << GridColourText(source) << u" }, "
       << u"xlabel: 'Interval Number', "
       << u"ylabel: 'RR Interval (" << unit << u")', ";
  FullRangePieces(text, ranges.x, ranges.y);
  return text.Text();
}

Quor::String WriteSpectrum(const PlotOptionSource& source, IEtchEnumInfo* info) {
  const Quor::String unit = UnitTextOf(info);
  const SpectrumParams& bands = source.settings->spectrum;
  const double df = source.spectrum.step;
  const bool hasGrid = df > 0;
  SeededRanges ranges;
  SpectrumFullRange(source, info, ranges.x, ranges.y);
  OptionText text;
  Margins(text, u"tplot: {");
  text << u"id: 'rhyth_spectrum_view', "
       << u"cursor: { readout: 'Power spectrum at {0} " << kFrequencyUnit << u" = {1} " << unit
       << u"'}, "
       << u"vlines: {" << u"id: 'spectrum_freq_bands', " << u"colour: #787878ff, "
       << u"fillcolours: [#0000ff20, #00ff0020, #ff000020], " << u"showvalues: true, "
       << u"textcolour: 'blue', " << u"draggable: " << Draggable(source) << u", "
       << u"positions: [[" << bands.vlfLow << u", " << bands.vlfHigh << u"], [" << bands.lfLow
       << u", " << bands.lfHigh << u"], [" << bands.hfLow << u", " << bands.hfHigh << u"]]"
       << u"}, "
       << u"xdata: "
       << (hasGrid ? ValueAxisText(source.spectrum.first * df, df) : ValueAxisText(0, 1)) << u", "
       << u"ydata: '" << NameOf(info) << u"' " << IndexAxisText() << u", "
       << u"colour: " << SourceColourText(source, 1.0) << u"}, "
       << u"graticule: { colour:" << GridColourText(source) << u" }, "
       << u"xlabel: 'Frequency (" << kFrequencyUnit << u")', "
       << u"ylabel: 'Power (" << unit << u")', ";
  FullRangePieces(text, ranges.x, ranges.y);
  return text.Text();
}

Quor::String WriteHistogram(const PlotOptionSource& source, IEtchEnumInfo* info, bool delta) {
  const std::u16string_view id = delta ? u"rhyth_delta_rr_histogram_view" : u"rhyth_rr_histogram_view";
  const std::u16string_view label = delta ? u"Delta RR Interval" : u"RR Interval";
  const BinnedSeries& bins = delta ? source.deltaHistogram : source.rrHistogram;
  double width = 1.0, start = 0.0;
  if (bins.step > 0) {
    width = bins.step * kMilli;
    start = bins.first * bins.step * kMilli;
  }
  SeededRanges ranges;
  HistogramFullRange(source, info, ranges.x, ranges.y, delta);
  OptionText text;
  Margins(text, u"histogram: {");
  text << u"id: '" << id << u"', "
       << u"cursor: { readout: '" << label << u": bin = [{0}, {1}) " << kHistogramUnit
       << u", count = {2}' }, "
       << u"bins: " << ValueAxisText(start, width) << u", "
       << u"heights: '" << NameOf(info) << u"' " << IndexAxisText() << u", "
       << u"colour: " << u"#000000ff" << u", "
       << u"fillcolour: " << SourceColourText(source, 0.8) << u"}, "
       << u"graticule: { colour: " << GridColourText(source) << u"}, "
       << u"xlabel: '" << label << u" (" << kHistogramUnit << u")', "
       << u"ylabel: 'Count', ";
  FullRangePieces(text, ranges.x, ranges.y);
  return text.Text();
}

Quor::String WriteClassifier(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                             IEtchEnumInfo* yInfo) {
  const Quor::String unitX = UnitTextOf(xInfo);
  const Quor::String unitY = UnitTextOf(yInfo);
  const ClassifierLimits& limits = source.settings->classifier;
  SeededRanges ranges;
  ClassifierFullRange(source, xInfo, yInfo, ranges.x, ranges.y);
  OptionText text;
  Margins(text, u"scatter: {");
  text << u"id: 'rhyth_classifier_view', "
       << u"cursor: { readout: 'RR Interval = {0} " << unitX << u", Complexity = {1} " << unitY
       << u"' }, "
       << u"box: {" << u"id: 'classifier_box', " << u"colour: #ff0000ff, " << u"showvalues: true, "
       << u"draggable: " << Draggable(source) << u", "
       << u"range_x: { min:" << limits.rrLow * kMilli << u", max:" << limits.rrHigh * kMilli
       << u"}, "
       << u"range_y: { min:" << limits.complexityLow << u", max:" << limits.complexityHigh
       << u"}, "
       << u"plotcolours: [" << ColourText(kBeatMarkNormalBlue, 1.0) << u", "
       << ColourText(kBeatMarkFFViolet, 1.0) << u", " << ColourText(kBeatMarkBothEctopicRed, 1.0)
       << u", " << ColourText(kBeatMarkRROrange, 1.0) << u"]" << u"}, ";
  ScatterDataPieces(text, source, xInfo, yInfo);
  text << u"graticule: { colour:" << GridColourText(source) << u" }, "
       << u"xlabel: 'RR Interval (" << unitX << u")', "
       << u"ylabel: 'Complexity', ";
  FullRangePieces(text, ranges.x, ranges.y);
  return text.Text();
}

Quor::String WritePoincare(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                           IEtchEnumInfo* yInfo) {
  const Quor::String unitX = UnitTextOf(xInfo);
  const Quor::String unitY = UnitTextOf(yInfo);
  const double mean = source.meanRR * kMilli;
  const double s1 = source.sd1 * kMilli;
  const double s2 = source.sd2 * kMilli;
  SeededRanges ranges;
  PoincareFullRange(source, xInfo, yInfo, ranges.x, ranges.y);
  OptionText text;
  Margins(text, u"scatter: {");
  text << u"id: 'rhyth_poincare_view', "
       << u"cursor: { readout: 'RR Interval: {0} " << unitX << u", Next RR Interval: {1} " << unitY
       << u"' }, ";
  // An ellipse the plot cannot place (a statistic that is NaN or infinite) is left out: its
  // numbers would make the whole text unreadable to the plot.
  if (std::isfinite(mean) && std::isfinite(s1) && std::isfinite(s2)) {
    text << u"ellipse: {" << u"x:" << mean << u", " << u"y:" << mean << u", " << u"a:" << s2
         << u", " << u"b:" << s1 << u", " << u"rotate: -45, " << u"colour: #000000ff, "
         << u"draw_axes: true" << u"}, ";
  }
  ScatterDataPieces(text, source, xInfo, yInfo);
  text << u"graticule: { colour:" << GridColourText(source) << u", style: 'dashed' }, "
       << u"xlabel: 'RR Interval (" << unitX << u")', "
       << u"ylabel: 'Next RR Interval (" << unitY << u")', ";
  FullRangePieces(text, ranges.x, ranges.y);
  return text.Text();
}

}  // namespace Rhyth::PlotOptions

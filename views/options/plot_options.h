// Rhyth::PlotOptions: the plot option text of the six analysis plots (tachogram, power
// spectrum, RR and delta-RR histograms, beat classifier, Poincaré plot): axes, labels,
// readouts, colours, overlays and the full scale ranges, naming the series by the names of the
// view's enumerators. Each text is a comma-separated list of option declarations ending in a
// comma, numbers in the classic locale with six significant digits. Stateless.
#pragma once

#include "core/quor_string.h"
#include "views/data/etch_enum_info.h"
#include "views/options/full_ranges.h"
#include "views/options/plot_option_source.h"

namespace Rhyth::PlotOptions {

Quor::String WriteTachogram(const PlotOptionSource& source, IEtchEnumInfo* info);
Quor::String WriteSpectrum(const PlotOptionSource& source, IEtchEnumInfo* info);
Quor::String WriteHistogram(const PlotOptionSource& source, IEtchEnumInfo* info, bool delta);
Quor::String WriteClassifier(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                             IEtchEnumInfo* yInfo);
Quor::String WritePoincare(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                           IEtchEnumInfo* yInfo);

// "#rrggbbaa" of a colour with an alpha of 0 to 1 (truncated to a byte).
Quor::String ColourText(COLORREF colour, double alpha);
// The grid's colour, opaque; black when the host gives none.
Quor::String GridColourText(const PlotOptionSource& source);
Quor::String SourceColourText(const PlotOptionSource& source, double alpha);

// "[0:1:end]", "[0:1:2147483647]" and "[start:step:end]".
Quor::String IndexAxisText();
Quor::String SeriesIndexText();
Quor::String ValueAxisText(double start, double step);

}  // namespace Rhyth::PlotOptions

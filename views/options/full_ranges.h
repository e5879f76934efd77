// The full scale ranges of the six analysis plots: the data ranges of the view's series, or the
// defaults the settings give where there is no data, widened so the data does not touch the
// frame. A data range of exactly (0, 0) takes the defaults, and so does one with an end that is
// not finite (a NaN power, an infinite FF): no scale can show it.
#pragma once

#include "views/data/etch_enum_info.h"
#include "views/options/plot_option_source.h"
#include "views/plot/view_plot.h"

namespace Rhyth {

void TachogramFullRange(const PlotOptionSource& source, IEtchEnumInfo* info, ViewRange& x,
                        ViewRange& y);
void SpectrumFullRange(const PlotOptionSource& source, IEtchEnumInfo* info, ViewRange& x,
                       ViewRange& y);
void HistogramFullRange(const PlotOptionSource& source, IEtchEnumInfo* info, ViewRange& x,
                        ViewRange& y, bool delta);
void ClassifierFullRange(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                         IEtchEnumInfo* yInfo, ViewRange& x, ViewRange& y);
void PoincareFullRange(const PlotOptionSource& source, IEtchEnumInfo* xInfo,
                       IEtchEnumInfo* yInfo, ViewRange& x, ViewRange& y);

}  // namespace Rhyth

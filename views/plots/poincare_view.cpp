#include "views/plots/poincare_view.h"

#include "analysis/document/document.h"
#include "views/classes/view_titles.h"
#include "views/options/full_ranges.h"
#include "views/options/plot_options.h"
#include "views/series/show_beat.h"

namespace Rhyth {

Quor::String PoincareView::GetTitle() { return ViewTitle(kViewNumber); }

void PoincareView::GetMarkup(Quor::String& markup, IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo) {
  markup = PlotOptions::WritePoincare(GatherPlotOptionSource(GetDocument()), xInfo, yInfo);
}

void PoincareView::GetDefaultRanges(IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo, ViewRange& x,
                                    ViewRange& y) {
  PoincareFullRange(GatherPlotOptionSource(GetDocument()), xInfo, yInfo, x, y);
}

const PlotPointArray* PoincareView::GetData() { return &GetDocument().Engine().PoincarePoints(); }

void PoincareView::ShowBeat(LONG record, LONG tick) { ShowBeatInHost(GetDocument(), record, tick); }

}  // namespace Rhyth

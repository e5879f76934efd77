#include "views/plots/histogram_views.h"

#include "views/classes/view_titles.h"
#include "views/options/full_ranges.h"
#include "views/options/plot_option_source.h"
#include "views/options/plot_options.h"

namespace Rhyth {

void HistogramView::GetUpdateFlags(DWORD code, DWORD& flags) {
  RhythViewBaseYT::GetUpdateFlags(code, flags);
  // While sampling the bins grow at either end: the ranges and the markup follow every update.
  if (code == 1 || code == 2) flags |= kDataChanged | kStoreRanges | kMarkup;
}

void HistogramView::GetMarkup(Quor::String& markup, IEtchEnumInfo* info) {
  markup = PlotOptions::WriteHistogram(GatherPlotOptionSource(GetDocument()), info, m_delta);
}

void HistogramView::GetDefaultRanges(IEtchEnumInfo* info, ViewRange& x, ViewRange& y) {
  HistogramFullRange(GatherPlotOptionSource(GetDocument()), info, x, y, m_delta);
}

const DoubleArray* HistogramView::GetData() {
  const TimeDomainStatistics& statistics = GetDocument().Engine().TimeDomain();
  return &(m_delta ? statistics.deltaHistogram : statistics.rrHistogram).counts;
}

Quor::String RRHistogramView::GetTitle() { return ViewTitle(kViewNumber); }

Quor::String DeltaRRHistogramView::GetTitle() { return ViewTitle(kViewNumber); }

}  // namespace Rhyth

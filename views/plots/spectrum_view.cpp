#include "views/plots/spectrum_view.h"

#include "analysis/engine/hrv_spectrum.h"
#include "views/classes/view_titles.h"
#include "views/options/full_ranges.h"
#include "views/options/plot_option_source.h"
#include "views/options/plot_options.h"
#include "views/plots/edit_notice_entry.h"
#include "views/plots/plot_edits.h"
#include "views/series/view_setup.h"

namespace Rhyth {

TARN_DEFINE_EVENT_TABLE(SpectrumView, RhythViewBaseYT,
                        EditNoticeEntry<SpectrumView, Quor::EtchVLinesDraggedType,
                                        &SpectrumView::OnBandEdgesDragged>())

Quor::String SpectrumView::GetTitle() { return ViewTitle(kViewNumber); }

void SpectrumView::GetMarkup(Quor::String& markup, IEtchEnumInfo* info) {
  markup = PlotOptions::WriteSpectrum(GatherPlotOptionSource(GetDocument()), info);
}

void SpectrumView::GetDefaultRanges(IEtchEnumInfo* info, ViewRange& x, ViewRange& y) {
  SpectrumFullRange(GatherPlotOptionSource(GetDocument()), info, x, y);
}

Quor::String SpectrumView::GetUnitName() { return kPowerUnitText; }

const DoubleArray* SpectrumView::GetData() {
  return &GetDocument().Engine().SpectrumResults().power;
}

double SpectrumView::GetScaleFactor() {
  const double scale = PrefixScale(GetUnitPrefix());
  return scale * scale;
}

void SpectrumView::OnBandEdgesDragged(const Quor::String& elementId, const double* positions,
                                      DWORD count) {
  if (elementId != Quor::String(u"spectrum_freq_bands") || count < 6 || !positions) return;
  if (!StoreBandEdges(m_settings->spectrum, positions)) return;
  ReanalyseAfterEdit(GetDocument(), kBandChangeFlags);
}

}  // namespace Rhyth

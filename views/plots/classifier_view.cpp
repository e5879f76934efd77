#include "views/plots/classifier_view.h"

#include "platform/pendrel/data_redraw.h"
#include "views/classes/view_titles.h"
#include "views/options/full_ranges.h"
#include "views/options/plot_option_source.h"
#include "views/options/plot_options.h"
#include "views/plots/edit_notice_entry.h"
#include "views/plots/plot_edits.h"
#include "views/series/show_beat.h"
#include "views/series/view_setup.h"

namespace Rhyth {

namespace {

void RedrawHostDisplays(IUnknown* dataDocument) {
  if (!dataDocument) return;
  Quor::ComPtr<IPendrelDataRedraw> redraw;
  dataDocument->QueryInterface(IPendrelDataRedraw::iid,
                               Quor::ComPtrOut<IPendrelDataRedraw>::Bind(redraw));
  if (redraw) redraw->Redraw(0);
}

}  // namespace

TARN_DEFINE_EVENT_TABLE(
    ClassifierView, RhythViewBaseXY,
    EditNoticeEntry<ClassifierView, Quor::EtchBoxResizedType, &ClassifierView::OnBoxResized>())

Quor::String ClassifierView::GetTitle() { return ViewTitle(kViewNumber); }

void ClassifierView::GetMarkup(Quor::String& markup, IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo) {
  markup = PlotOptions::WriteClassifier(GatherPlotOptionSource(GetDocument()), xInfo, yInfo);
}

void ClassifierView::GetDefaultRanges(IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo, ViewRange& x,
                                      ViewRange& y) {
  ClassifierFullRange(GatherPlotOptionSource(GetDocument()), xInfo, yInfo, x, y);
}

const PlotPointArray* ClassifierView::GetData() {
  return &GetDocument().Engine().ClassifierPoints();
}

void ClassifierView::ShowBeat(LONG record, LONG tick) { ShowBeatInHost(GetDocument(), record, tick); }

void ClassifierView::OnBoxResized(const Quor::String& elementId, const double* box, DWORD count) {
  if (elementId != Quor::String(u"classifier_box") || count < 4 || !box) return;
  const double xScale = PrefixScale(GetXUnitPrefix());
  const double yScale = PrefixScale(GetYUnitPrefix());
  const double limits[] = {box[0] / xScale, box[1] / xScale, box[2] / yScale, box[3] / yScale};
  if (!StoreClassifierBox(m_settings->classifier, limits)) return;
  ReanalyseAfterEdit(GetDocument(), kBoxChangeFlags);
  RedrawHostDisplays(GetDocument().DataDocument());
}

}  // namespace Rhyth

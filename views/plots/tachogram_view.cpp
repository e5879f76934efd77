#include "views/plots/tachogram_view.h"

#include <charconv>
#include <string>

#include "analysis/document/document.h"
#include "views/base/update_flags.h"
#include "views/classes/view_titles.h"
#include "views/options/full_ranges.h"
#include "views/options/plot_options.h"
#include "views/series/point_click_entry.h"
#include "views/series/show_beat.h"

namespace Rhyth {

TARN_DEFINE_EVENT_TABLE(TachogramView, RhythViewBaseYT, PointClickedEntry<TachogramView>())

namespace {

// A comparison with a NaN counts as a difference.
bool SameRange(const ViewRange& a, const ViewRange& b) { return a.min == b.min && a.max == b.max; }

}  // namespace

bool LeadingIndex(const Quor::String& label, std::size_t& index) {
  const std::string text = label.ToUtf8String();
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
  return error == std::errc() && end != text.data();
}

Quor::String TachogramView::GetTitle() { return ViewTitle(kViewNumber); }

void TachogramView::GetMarkup(Quor::String& markup, IEtchEnumInfo* info) {
  markup = PlotOptions::WriteTachogram(GatherPlotOptionSource(GetDocument()), info);
}

void TachogramView::GetDefaultRanges(IEtchEnumInfo* info, ViewRange& x, ViewRange& y) {
  TachogramFullRange(GatherPlotOptionSource(GetDocument()), info, x, y);
  m_defaultX = x;
}

const DoubleArray* TachogramView::GetData() { return &GetDocument().Engine().RRIntervals(); }

void TachogramView::GetUpdateFlags(DWORD code, DWORD& flags) {
  RhythViewBaseYT::GetUpdateFlags(code, flags);
  if ((code != 1 && code != 2) || !Info()) return;
  const ViewRange kept = m_defaultX;
  ViewRange x, y;
  GetDefaultRanges(Info(), x, y);
  if (!SameRange(kept, x)) flags |= kStoreRanges | kMarkup;
}

void TachogramView::OnPointClicked(const Quor::String&, const Quor::String& label) {
  std::size_t index = 0;
  if (!LeadingIndex(label, index)) return;
  const auto& points = GetDocument().Engine().PoincarePoints();
  if (index >= points.GetCount()) return;
  const BeatPoint& beat = points[DWORD(index)];
  ShowBeatInHost(GetDocument(), beat.record, beat.position);
}

}  // namespace Rhyth

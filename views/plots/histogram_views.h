// Rhyth::RRHistogramView and Rhyth::DeltaRRHistogramView: the distributions of the RR intervals
// and of the differences between successive intervals, as counts per bin. Twins that differ
// only in their ids, their counts and the writers' histogram selector; while sampling every
// update renews their ranges and markup, the markup at most every 2 s.
#pragma once

#include "views/series/rhyth_view_base_yt.h"

namespace Rhyth {

class HistogramView : public RhythViewBaseYT {
 public:
  void GetUpdateFlags(DWORD code, DWORD& flags) override;
  double GetMarkupInterval() override { return 2.0; }
  void GetMarkup(Quor::String& markup, IEtchEnumInfo* info) override;
  void GetDefaultRanges(IEtchEnumInfo* info, ViewRange& x, ViewRange& y) override;
  Quor::String GetUnitName() override { return Quor::String(); }
  // Counts are shown as they are.
  DWORD GetUnitPrefix() override { return 8; }
  const DoubleArray* GetData() override;
  int GetUpdateMode() override { return 1; }

 protected:
  HistogramView(HWND parent, IUnknown* document, bool delta)
      : RhythViewBaseYT(parent, document), m_delta(delta) {}

 private:
  bool m_delta;
};

class RRHistogramView final : public HistogramView {
 public:
  static constexpr DWORD kViewNumber = 3;
  RRHistogramView(HWND parent, IUnknown* document) : HistogramView(parent, document, false) {}

  Quor::String GetTitle() override;
  Quor::String GetDataId() override { return u"$Rhyth_RRHistogram"; }
  Quor::String GetPlotId() override { return u"rhyth_rr_histogram_view"; }
};

class DeltaRRHistogramView final : public HistogramView {
 public:
  static constexpr DWORD kViewNumber = 4;
  DeltaRRHistogramView(HWND parent, IUnknown* document) : HistogramView(parent, document, true) {}

  Quor::String GetTitle() override;
  Quor::String GetDataId() override { return u"$Rhyth_DeltaRRHistogram"; }
  Quor::String GetPlotId() override { return u"rhyth_delta_rr_histogram_view"; }
};

}  // namespace Rhyth

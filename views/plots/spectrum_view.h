// Spectrum view: how the RR intervals' power spreads over frequency, with a draggable line at
// each band edge. A dragged edge is kept with the analysis settings and the document analyses
// again, so the band powers of every open view follow it.
#pragma once

#include "views/series/rhyth_view_base_yt.h"

namespace Rhyth {

class SpectrumView final : public RhythViewBaseYT {
  TARN_DECLARE_EVENT_TABLE();

 public:
  static constexpr DWORD kViewNumber = 2;
  // Re-analysis after a band drag: the bands only.
  static constexpr DWORD kBandChangeFlags = 2;

  SpectrumView(HWND parent, IUnknown* document) : RhythViewBaseYT(parent, document) {}

  Quor::String GetTitle() override;
  void GetMarkup(Quor::String& markup, IEtchEnumInfo* info) override;
  void GetDefaultRanges(IEtchEnumInfo* info, ViewRange& x, ViewRange& y) override;
  Quor::String GetDataId() override { return u"$Rhyth_Spectrum"; }
  Quor::String GetPlotId() override { return u"rhyth_spectrum_view"; }
  Quor::String GetUnitName() override;
  DWORD GetUnitPrefix() override { return 7; }
  const DoubleArray* GetData() override;
  int GetUpdateMode() override { return 1; }
  // Powers are in s² and shown in ms²: the prefix applies twice.
  double GetScaleFactor() override;

  // After a drag of the band lines: their positions, lowest first, of which the six edges lead.
  // Notices about other elements, or with too few positions, are ignored.
  void OnBandEdgesDragged(const Quor::String& elementId, const double* positions, DWORD count);
};

}  // namespace Rhyth

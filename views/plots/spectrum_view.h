// The power spectrum view: the RR series' power in ms² against frequency, the VLF, LF and HF
// bands shown as lines the user drags. A drag stores the new edges in the analysis settings and
// analyses again, so every view's band powers follow.
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

  // The page reports all lines of the band element, lowest first; the first six are the band
  // edges. Another element, or fewer lines, changes nothing.
  void OnBandEdgesDragged(const Quor::String& elementId, const double* positions, DWORD count);
};

}  // namespace Rhyth

// Rhyth::SpectrumView: the power spectrum of the RR series in ms² against frequency, with the
// VLF, LF and HF bands as lines the user can drag. A drag writes the new edges into the
// analysis settings and re-runs the analysis, so the band powers in every view follow.
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

  // The script sends every line of the element, in ascending order; the first six are the
  // band edges. A drag of another element, or with fewer lines, changes nothing.
  void OnBandEdgesDragged(const Quor::String& elementId, const double* positions, DWORD count);
};

}  // namespace Rhyth

// The power spectrum of the RR intervals, in ms² over hertz, with the edges of the VLF, LF and
// HF bands as lines on it. Moving a line changes the bands of the analysis itself: the edges go
// into the settings and the analysis runs again, which renews every view's band powers.
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

  // The page hands over every line of its band element in ascending order; the band edges are
  // the first six of them. Anything else leaves the settings alone.
  void OnBandEdgesDragged(const Quor::String& elementId, const double* positions, DWORD count);
};

}  // namespace Rhyth

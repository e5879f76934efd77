// Rhyth::PoincareView: the Poincaré plot of the RR series, one point per admitted beat (each RR
// interval against the next), in ms on both axes, with the SD1/SD2 ellipse its markup draws. A
// click on a point shows that beat in the host's data. Point i is the beat of tachogram
// element i.
#pragma once

#include "views/series/rhyth_view_base_xy.h"

namespace Rhyth {

class PoincareView final : public RhythViewBaseXY {
 public:
  static constexpr DWORD kViewNumber = 6;

  PoincareView(HWND parent, IUnknown* document) : RhythViewBaseXY(parent, document) {}

  Quor::String GetTitle() override;
  void GetMarkup(Quor::String& markup, IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo) override;
  void GetDefaultRanges(IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo, ViewRange& x,
                        ViewRange& y) override;
  Quor::String GetXDataId() override { return u"$Rhyth_Poincare_X"; }
  Quor::String GetYDataId() override { return u"$Rhyth_Poincare_Y"; }
  Quor::String GetPlotId() override { return u"rhyth_poincare_view"; }
  Quor::String GetXUnitName() override { return u"s"; }
  Quor::String GetYUnitName() override { return u"s"; }
  DWORD GetXUnitPrefix() override { return 7; }
  DWORD GetYUnitPrefix() override { return 7; }
  const PlotPointArray* GetData() override;
  int GetUpdateMode() override { return 2; }
  void ShowBeat(LONG record, LONG tick) override;
};

}  // namespace Rhyth

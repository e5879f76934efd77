// Rhyth::ClassifierView: one point per beat, its RR measure (ms) across and its form factor
// up, with the classifier's box, whose edges are the four classifier limits. Resizing the box
// writes the new limits into the analysis settings and re-classifies every beat.
#pragma once

#include "views/series/rhyth_view_base_xy.h"

namespace Rhyth {

class ClassifierView final : public RhythViewBaseXY {
  TARN_DECLARE_EVENT_TABLE();

 public:
  static constexpr DWORD kViewNumber = 5;
  // Re-analysis after a box edit: the beats are read and classified again, every pass runs.
  static constexpr DWORD kBoxChangeFlags = 0x04FFFFFF;

  ClassifierView(HWND parent, IUnknown* document) : RhythViewBaseXY(parent, document) {}

  Quor::String GetTitle() override;
  void GetMarkup(Quor::String& markup, IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo) override;
  void GetDefaultRanges(IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo, ViewRange& x,
                        ViewRange& y) override;
  Quor::String GetXDataId() override { return u"$Rhyth_Classifier_X"; }
  Quor::String GetYDataId() override { return u"$Rhyth_Classifier_Y"; }
  Quor::String GetPlotId() override { return u"rhyth_classifier_view"; }
  Quor::String GetXUnitName() override { return u"s"; }
  Quor::String GetYUnitName() override { return Quor::String(); }
  DWORD GetXUnitPrefix() override { return 7; }
  DWORD GetYUnitPrefix() override { return 8; }
  const PlotPointArray* GetData() override;
  int GetUpdateMode() override { return 2; }
  void ShowBeat(LONG record, LONG tick) override;

  // `box` holds x min, x max, y min, y max in displayed units. A resize of another element,
  // with fewer values or with a value that is not a number changes nothing. An accepted edit
  // asks the host once to redraw its data displays, which show the limits too.
  void OnBoxResized(const Quor::String& elementId, const double* box, DWORD count);
};

}  // namespace Rhyth

// Rhyth::TachogramView: the RR intervals of the analysis in the order of the beats, in ms. While
// the document analyses during sampling the plot appends each new interval, and moves its
// horizontal range and markup only when the default range has grown. A click on an interval
// shows its beat in the host's data.
#pragma once

#include "views/series/rhyth_view_base_yt.h"

namespace Rhyth {

class TachogramView final : public RhythViewBaseYT {
  TARN_DECLARE_EVENT_TABLE();

 public:
  static constexpr DWORD kViewNumber = 1;

  TachogramView(HWND parent, IUnknown* document) : RhythViewBaseYT(parent, document) {}

  Quor::String GetTitle() override;
  void GetMarkup(Quor::String& markup, IEtchEnumInfo* info) override;
  void GetDefaultRanges(IEtchEnumInfo* info, ViewRange& x, ViewRange& y) override;
  Quor::String GetDataId() override { return u"$Rhyth_Tachogram"; }
  Quor::String GetPlotId() override { return u"rhyth_tachogram_view"; }
  Quor::String GetUnitName() override { return u"s"; }
  DWORD GetUnitPrefix() override { return 7; }
  const DoubleArray* GetData() override;
  int GetUpdateMode() override { return 2; }
  void GetUpdateFlags(DWORD code, DWORD& flags) override;

  // The label of an interval holds its index, a TAB and its value: the beat of the point of
  // that index is shown. A label that does not start with an index of a point shows nothing.
  void OnPointClicked(const Quor::String& plotterId, const Quor::String& label);

 private:
  // The default horizontal range last computed.
  ViewRange m_defaultX;
};

// The index a click label starts with; false unless it starts with a decimal number.
bool LeadingIndex(const Quor::String& label, std::size_t& index);

}  // namespace Rhyth

// Rhyth::RhythViewBaseXY: the base of the scatter views (Poincaré plot, beat classifier), which
// plot an x and a y series taken from one series of beat points. It does what the series base
// does for both axes, and turns a click on a point into a request to show that beat in the
// host's data.
#pragma once

#include "core/com_ptr.h"
#include "core/unit_entry.h"
#include "views/base/rhyth_view_base.h"
#include "views/data/etch_enum_info.h"
#include "views/data/series_access.h"

namespace Rhyth {

class RhythViewBaseXY : public RhythViewBase {
  TARN_DECLARE_EVENT_TABLE();

 public:
  using RhythViewBase::RhythViewBase;
  ~RhythViewBaseXY() override;

  virtual void GetMarkup(Quor::String& markup, IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo) = 0;
  virtual void GetDefaultRanges(IEtchEnumInfo* xInfo, IEtchEnumInfo* yInfo, ViewRange& x,
                                ViewRange& y) = 0;
  virtual Quor::String GetXDataId() = 0;
  virtual Quor::String GetYDataId() = 0;
  virtual Quor::String GetPlotId() = 0;
  virtual Quor::String GetXUnitName() = 0;
  virtual Quor::String GetYUnitName() = 0;
  virtual DWORD GetXUnitPrefix() = 0;
  virtual DWORD GetYUnitPrefix() = 0;
  virtual const PlotPointArray* GetData() = 0;
  virtual int GetUpdateMode() = 0;
  // A point's label reads "<tick>\t<record>": the beat there is shown. A label without both
  // numbers shows nothing.
  virtual void OnPointClicked(const Quor::String& plotterId, const Quor::String& label);
  // Asks the host to show the beat at a record and tick.
  virtual void ShowBeat(LONG record, LONG tick) = 0;

  void SetupWindow() override;
  void UpdatePlotData(DWORD flags) override;

  IEtchEnumInfo* XInfo() const { return m_xInfo.Get(); }
  IEtchEnumInfo* YInfo() const { return m_yInfo.Get(); }

 protected:
  bool BuildMarkup(Quor::String& markup) override;

 private:
  void MakeEnumerators();
  void HandOverToProxy();

  Quor::ComPtr<IEnumFloatEx> m_xEnum;
  Quor::ComPtr<IEnumFloatEx> m_yEnum;
  Quor::ComPtr<IEtchEnumInfo> m_xInfo;
  Quor::ComPtr<IEtchEnumInfo> m_yInfo;
  double m_xScale = 1.0;
  double m_yScale = 1.0;
  Quor::ComPtr<Quor::UnitEntry> m_xUnit;
  Quor::ComPtr<Quor::UnitEntry> m_yUnit;
  ViewRange m_xRange;
  ViewRange m_yRange;
};

// The beat a point label names: its record and tick; false unless the label holds both.
bool ParsePointLabel(const Quor::String& label, LONG& record, LONG& tick);

}  // namespace Rhyth

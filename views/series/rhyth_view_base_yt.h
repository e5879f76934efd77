// Rhyth::RhythViewBaseYT: the base of the views that plot one series of values (tachogram,
// power spectrum, RR and delta-RR histograms). It creates the plot at set-up, wraps the
// document's series in an enumerator at each data update and hands it to the plot proxy, keeps
// the plot's scale ranges, sends the markup and tells the script of data changes. A concrete
// view answers which series, ids, unit, markup and default ranges.
#pragma once

#include "core/com_ptr.h"
#include "core/unit_entry.h"
#include "views/base/rhyth_view_base.h"
#include "views/data/etch_enum_info.h"
#include "views/data/series_access.h"

namespace Rhyth {

class RhythViewBaseYT : public RhythViewBase {
 public:
  using RhythViewBase::RhythViewBase;
  ~RhythViewBaseYT() override;

  virtual void GetMarkup(Quor::String& markup, IEtchEnumInfo* info) = 0;
  virtual void GetDefaultRanges(IEtchEnumInfo* info, ViewRange& x, ViewRange& y) = 0;
  virtual Quor::String GetDataId() = 0;
  virtual Quor::String GetPlotId() = 0;
  virtual Quor::String GetUnitName() = 0;
  virtual DWORD GetUnitPrefix() = 0;
  virtual const DoubleArray* GetData() = 0;
  // 2: data changes name every element (0x7FFFFFFF); 1: they pass 0.
  virtual int GetUpdateMode() = 0;
  virtual double GetScaleFactor();

  void SetupWindow() override;
  void UpdatePlotData(DWORD flags) override;

  IEtchEnumInfo* Info() const { return m_info.Get(); }

 protected:
  bool BuildMarkup(Quor::String& markup) override;

 private:
  void MakeEnumerator();
  void HandOverToProxy();

  Quor::ComPtr<IEnumFloatEx> m_enum;
  Quor::ComPtr<IEtchEnumInfo> m_info;
  double m_scale = 1.0;
  Quor::ComPtr<Quor::UnitEntry> m_unit;
  ViewRange m_xRange;
  ViewRange m_yRange;
};

}  // namespace Rhyth

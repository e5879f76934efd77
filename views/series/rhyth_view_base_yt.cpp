#include "views/series/rhyth_view_base_yt.h"

#include "views/data/view_enumerators.h"
#include "views/series/view_setup.h"

namespace Rhyth {

RhythViewBaseYT::~RhythViewBaseYT() = default;

double RhythViewBaseYT::GetScaleFactor() { return PrefixScale(GetUnitPrefix()); }

void RhythViewBaseYT::SetupWindow() {
  OWL::TWindow::SetupWindow();
  m_scale = GetScaleFactor();
  m_unit = MakeAxisUnit(GetUnitName(), GetUnitPrefix());
  SetUpPlot(GetPlotId());
  FirstRefresh();
}

void RhythViewBaseYT::MakeEnumerator() {
  m_info.Clear();
  m_enum.Clear();
  const AxisData axis{GetDataId(), m_unit.Get(), m_scale};
  m_enum.Attach(CreateSeriesEnum(GetData(), axis, m_document ? m_document->ViewState() : nullptr));
  m_enum->QueryInterface(IEtchEnumInfo::iid, Quor::ComPtrOut<IEtchEnumInfo>::Bind(m_info));
}

void RhythViewBaseYT::HandOverToProxy() {
  Quor::EtchProxyBase* proxy = Plot() ? Plot()->Proxy() : nullptr;
  if (!proxy) return;
  proxy->SetData(GetDataId(), m_enum.Get());
  proxy->RegisterSeries(GetDataId(), Quor::String(), GetPlotId(), 0);
}

void RhythViewBaseYT::UpdatePlotData(DWORD flags) {
  if (flags & kResetData) {
    MakeEnumerator();
    HandOverToProxy();
  }
  if (flags & kRefreshData) {
    MakeEnumerator();
    DWORD count = 0;
    if (m_info && SUCCEEDED(m_info->GetCount(&count))) {
      if (count == 0) {
        if (Plot() && Plot()->Proxy()) Plot()->Proxy()->ClearAll();
      } else {
        HandOverToProxy();
      }
    }
  }
  CarryOutPlotFlags(flags, GetPlotId(), GetUpdateMode(), m_xRange, m_yRange,
                    [this](ViewRange& x, ViewRange& y) { GetDefaultRanges(m_info.Get(), x, y); });
}

bool RhythViewBaseYT::BuildMarkup(Quor::String& markup) {
  if (!m_info) return false;
  GetMarkup(markup, m_info.Get());
  return true;
}

}  // namespace Rhyth

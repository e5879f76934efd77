#include "views/series/rhyth_view_base_xy.h"

#include <locale>
#include <sstream>

#include "views/data/view_enumerators.h"
#include "views/series/point_click_entry.h"
#include "views/series/view_setup.h"

namespace Rhyth {

TARN_DEFINE_EVENT_TABLE(RhythViewBaseXY, RhythViewBase, PointClickedEntry<RhythViewBaseXY>())

bool ParsePointLabel(const Quor::String& label, LONG& record, LONG& tick) {
  std::istringstream text(label.ToUtf8String());
  text.imbue(std::locale::classic());
  long long first = 0, second = 0;
  if (!(text >> first >> second)) return false;
  if (first < INT32_MIN || first > INT32_MAX || second < INT32_MIN || second > INT32_MAX) {
    return false;
  }
  tick = LONG(first);
  record = LONG(second);
  return true;
}

RhythViewBaseXY::~RhythViewBaseXY() = default;

void RhythViewBaseXY::OnPointClicked(const Quor::String&, const Quor::String& label) {
  LONG record = 0, tick = 0;
  if (ParsePointLabel(label, record, tick)) ShowBeat(record, tick);
}

void RhythViewBaseXY::SetupWindow() {
  OWL::TWindow::SetupWindow();
  m_xScale = PrefixScale(GetXUnitPrefix());
  m_yScale = PrefixScale(GetYUnitPrefix());
  m_xUnit = MakeAxisUnit(GetXUnitName(), GetXUnitPrefix());
  m_yUnit = MakeAxisUnit(GetYUnitName(), GetYUnitPrefix());
  SetUpPlot(GetPlotId());
  FirstRefresh();
}

void RhythViewBaseXY::MakeEnumerators() {
  m_xInfo.Clear();
  m_yInfo.Clear();
  m_xEnum.Clear();
  m_yEnum.Clear();
  const ScatterEnums made = CreateScatterEnums(
      GetData(), {GetXDataId(), m_xUnit.Get(), m_xScale}, {GetYDataId(), m_yUnit.Get(), m_yScale},
      m_document ? m_document->ViewState() : nullptr);
  m_xEnum.Attach(made.x);
  m_yEnum.Attach(made.y);
  m_xEnum->QueryInterface(IEtchEnumInfo::iid, Quor::ComPtrOut<IEtchEnumInfo>::Bind(m_xInfo));
  m_yEnum->QueryInterface(IEtchEnumInfo::iid, Quor::ComPtrOut<IEtchEnumInfo>::Bind(m_yInfo));
}

void RhythViewBaseXY::HandOverToProxy() {
  Quor::EtchProxyBase* proxy = Plot() ? Plot()->Proxy() : nullptr;
  if (!proxy) return;
  proxy->SetData(GetXDataId(), m_xEnum.Get());
  proxy->SetData(GetYDataId(), m_yEnum.Get());
  proxy->RegisterSeries(GetYDataId(), GetXDataId(), GetPlotId(), 1);
}

void RhythViewBaseXY::UpdatePlotData(DWORD flags) {
  if (flags & kResetData) {
    MakeEnumerators();
    HandOverToProxy();
  }
  if (flags & kRefreshData) {
    MakeEnumerators();
    DWORD xCount = 0, yCount = 0;
    if (m_xInfo && m_yInfo && SUCCEEDED(m_xInfo->GetCount(&xCount)) &&
        SUCCEEDED(m_yInfo->GetCount(&yCount))) {
      if (xCount == 0 || yCount == 0) {
        if (Plot() && Plot()->Proxy()) Plot()->Proxy()->ClearAll();
      } else {
        HandOverToProxy();
      }
    }
  }
  CarryOutPlotFlags(flags, GetPlotId(), GetUpdateMode(), m_xRange, m_yRange,
                    [this](ViewRange& x, ViewRange& y) {
                      GetDefaultRanges(m_xInfo.Get(), m_yInfo.Get(), x, y);
                    });
}

bool RhythViewBaseXY::BuildMarkup(Quor::String& markup) {
  if (!m_xInfo || !m_yInfo) return false;
  GetMarkup(markup, m_xInfo.Get(), m_yInfo.Get());
  return true;
}

}  // namespace Rhyth

// The data pane's services to its drawers and its print state.
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/com_ptr.h"
#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/panes/unit_prefix.h"

namespace PendrelDraw {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Lane code = lane x 256; the quotient is truncated towards zero, so codes -255 to 2047 address
// lanes 0 to 7 and the others none.
int LaneOfCode(LONG code) {
  const LONG lane = code / 256;
  return lane >= 0 && lane < kLayerCount ? int(lane) : -1;
}

}  // namespace

HRESULT DataPane::GetPrintDC(HDC* dc) {
  if (dc) *dc = m_printDC;
  return S_OK;
}

HRESULT DataPane::GetResolutionX(DWORD, HDC, double* resolution) {
  if (!resolution) return E_POINTER;
  *resolution = kScreenPixelsPerMillimetre;
  return S_OK;
}

HRESULT DataPane::GetResolutionY(DWORD, HDC, double* resolution) {
  if (!resolution) return E_POINTER;
  *resolution = kScreenPixelsPerMillimetre;
  return S_OK;
}

HRESULT DataPane::GetPrintScale(DWORD a, double* x, double* y) {
  if (x) *x = 1.0;
  if (y) *y = 1.0;
  if (!m_printDC) return S_OK;
  double resolution = kScreenPixelsPerMillimetre;
  if (x && SUCCEEDED(GetResolutionX(a, m_printDC, &resolution))) {
    *x = resolution / kScreenPixelsPerMillimetre;
  }
  if (y && SUCCEEDED(GetResolutionY(a, m_printDC, &resolution))) {
    *y = resolution / kScreenPixelsPerMillimetre;
  }
  return S_OK;
}

HRESULT DataPane::IsMonochrome(DWORD, VARIANT_BOOL* monochrome) {
  if (!monochrome) return IsMonochromeMode() ? S_OK : S_FALSE;
  *monochrome = IsMonochromeMode() ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT DataPane::SetLaneRange(LONG pane, LONG code, const double* range) {
  std::lock_guard lock(m_lock);
  ChannelPane* channelPane = ChannelPaneAt(pane);
  if (!channelPane) return E_INVALIDARG;
  if (!range) return E_POINTER;
  const int lane = LaneOfCode(code);
  if (lane < 0) return S_FALSE;
  channelPane->LaneAt(lane).range[0] = range[0];
  channelPane->LaneAt(lane).range[1] = range[1];
  return S_OK;
}

HRESULT DataPane::SetLaneColour(LONG pane, LONG code, COLORREF colour) {
  ChannelPane* channelPane = ChannelPaneAt(pane);
  if (!channelPane) return E_INVALIDARG;
  const int lane = LaneOfCode(code);
  if (lane < 0) return S_FALSE;
  LaneRecord& record = channelPane->LaneAt(lane);
  record.colour = colour;
  // 255 is "no colour of its own".
  if (colour != 255) record.flags &= ~kLaneColourUnset;
  return S_OK;
}

HRESULT DataPane::GetDataRect(LONG pane, RECT* rect) {
  if (!rect) return E_POINTER;
  *rect = {BorderWidth(), 0, m_paneWidth - BorderWidth(), m_paneHeight};
  if (pane >= 0) return S_OK;
  for (auto it = m_channelPanes.rbegin(); it != m_channelPanes.rend(); ++it) {
    if ((*it)->Height() > 12) {
      rect->bottom = (*it)->rect.bottom;
      return S_OK;
    }
  }
  return E_FAIL;
}

HRESULT DataPane::InvalidateLane(LONG pane, const RECT* rect) {
  if (pane >= 0) {
    if (rect) OnLaneInvalidated(*rect, false);
    return S_OK;
  }
  if (m_zoomControl) m_zoomControl->Refresh();
  if (m_scrollBar) m_scrollBar->Refresh();
  MarkAllForRedraw();
  return S_OK;
}

HRESULT DataPane::IsSampling() { return m_online ? S_OK : S_FALSE; }

HRESULT DataPane::IsFollowingOnline() { return IsFollowing() ? S_OK : S_FALSE; }

HRESULT DataPane::GetBackgroundColour(COLORREF* colour) {
  if (!colour) return E_POINTER;
  *colour = IsMonochromeMode() && m_background == kBlack ? kWhite : m_background;
  return S_OK;
}

HRESULT DataPane::GetContrastColour(COLORREF colour, COLORREF* contrast) {
  if (!contrast) return E_POINTER;
  COLORREF background = kWhite;
  GetBackgroundColour(&background);
  if (background != kBlack) {
    *contrast = colour;
    return S_OK;
  }
  const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  const float sum = float(r + g + b);
  const int d = int((765.0f - 2.0f * sum) / 255.0f / 3.0f * 255.0f);
  const auto clamp = [](int value) { return std::clamp(value, 0, 255); };
  *contrast = RGB(clamp(r + d), clamp(g + d), clamp(b + d));
  return S_OK;
}

HRESULT DataPane::GetPaneChannel(LONG pane, LONG* pair) {
  ChannelPane* channelPane = ChannelPaneAt(pane);
  if (!channelPane) return E_INVALIDARG;
  if (!pair) return E_POINTER;
  if (channelPane->channel < 0) {
    pair[0] = channelPane->positionPair[0][0];
    pair[1] = channelPane->positionPair[0][1];
  } else {
    pair[0] = channelPane->channel;
    pair[1] = LONG(channelPane->axisFlags);
  }
  return S_OK;
}

HRESULT DataPane::GetPaneSource(LONG pane, LONG kind, IUnknown** source) {
  if (!source) return E_POINTER;
  *source = nullptr;
  if (pane < 0 || pane >= GetLaneCount()) return E_INVALIDARG;
  *source = m_drawerSources[std::size_t(pane)].kind[kind == 1 ? 0 : 1];
  if (*source) (*source)->AddRef();
  return S_OK;
}

HRESULT DataPane::GetPaneDrawer(LONG pane, LONG, LONG kind, IPendrelRecordDrawer** drawer) {
  if (!drawer) return E_POINTER;
  *drawer = nullptr;
  if (pane < 0 || pane >= GetLaneCount() || (kind != 1 && kind != 2)) return E_INVALIDARG;
  *drawer = m_drawerSources[std::size_t(pane)].drawer[kind - 1];
  if (*drawer) (*drawer)->AddRef();
  return S_OK;
}

HRESULT DataPane::GetDrawerDataRange(DWORD, LONG kind, double* low, double* high) {
  if (!low || !high) return E_POINTER;
  *low = std::numeric_limits<double>::max();
  *high = std::numeric_limits<double>::lowest();
  Quor::ComPtr<IPendrelRecordDrawer> drawer;
  const HRESULT found =
      GetPaneDrawer(0, 0, kind, Quor::ComPtrOut<IPendrelRecordDrawer>::Bind(drawer));
  if (FAILED(found)) return found;
  const auto mapping = Quor::QueryFace<IPendrelUnitMapping>(drawer.Get());
  double range[2] = {*low, *high};
  if (!mapping || mapping->GetAxisDataRange(kind, 0, DataExtent(), range) != S_OK) return S_FALSE;
  // The axis shows the data in its prefixed unit (a code of 0 leaves them as they are).
  const LONG code = ChannelPaneAt(0)->unit[kind - 1].index;
  const double factor = code != 0 ? AxisUnitOfPrefix(code).factor : 1.0;
  *low = range[0] / factor;
  *high = range[1] / factor;
  return S_OK;
}

HRESULT DataPane::SetSourceOption(bool flag, LONG kind, LONG value) {
  if (m_channelPanes.empty() || (kind != 1 && kind != 2)) return E_FAIL;
  const auto source =
      Quor::QueryFace<IPendrelScaleDragSource>(m_drawerSources[0].kind[kind - 1]);
  if (!source) return E_FAIL;
  return source->SetOption(0, flag ? VARIANT_TRUE : VARIANT_FALSE, value, 0);
}

HRESULT DataPane::GetValueAt(LONG pane, LONG laneKind, LONG record, IQuorString** text,
                             VARIANT_BOOL* flag) {
  ChannelPane* channelPane = ChannelPaneAt(pane);
  if (!channelPane) return E_INVALIDARG;
  for (IPendrelRecordDrawer* drawer : channelPane->Drawers()) {
    if (drawer->GetValueAt(laneKind, record, text, flag) == S_OK) return S_OK;
  }
  return S_FALSE;
}

HRESULT DataPane::GetChannelPaneValue(LONG pane, DWORD* value) {
  ChannelPane* channelPane = ChannelPaneAt(pane);
  if (!channelPane) return E_INVALIDARG;
  if (!value) return E_POINTER;
  *value = channelPane->paneValue;
  return S_OK;
}

HRESULT DataPane::GetPaneFlags(DWORD* value, DWORD* flags) {
  if (value) *value = m_paneValue;
  if (flags) *flags = m_styleFlags;
  return S_OK;
}

HRESULT DataPane::BeginPrint(LONG_PTR dc) {
  m_printDC = reinterpret_cast<HDC>(dc);
  const HRESULT result = DrawPrintableBase::BeginPrint(dc);
  m_timeScale->BeginPrint(m_printDC);
  return result;
}

HRESULT DataPane::EndPrint() {
  m_printDC = nullptr;
  const HRESULT result = DrawPrintableBase::EndPrint();
  m_timeScale->EndPrint();
  return result;
}

}  // namespace PendrelDraw

// The preview's access to the two drawer kinds of the channel panes (kind 1 the first drawer,
// kind 2 the second): refreshes wait in the refresh sets until the pane flushes its updates.
#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

HRESULT DataPane::RefreshDrawers(LONG pane, LONG kind) {
  if (kind != 1 && kind != 2) return E_INVALIDARG;
  if (pane != -1 && !ChannelPaneAt(pane)) return E_INVALIDARG;
  Quor::BitsetRep*& set = m_refreshSets[kind - 1];
  if (pane == -1) {
    // The fill word stands for every pane, those to come included.
    set->SetFill(1);
  } else {
    const std::size_t word = std::size_t(pane) / 32;
    if (word >= set->WordCount()) {
      Quor::BitsetRep* wider = new Quor::BitsetRep(*set, word + 1);
      wider->AddRef();
      set->Release();
      set = wider;
    }
    set->Words()[word] |= DWORD(1) << (pane % 32);
  }
  // A refreshed drawer draws its lane again.
  m_invalidationMask |= kRedrawEverything;
  return S_OK;
}

HRESULT DataPane::HasDrawerData(LONG kind, VARIANT_BOOL* has) {
  if (!has) return E_POINTER;
  *has = VARIANT_FALSE;
  if (DataExtent() <= 0) return E_FAIL;
  if (kind != 1 && kind != 2) return S_OK;
  for (const DrawerSources& sources : m_drawerSources) {
    if (sources.drawer[kind - 1]) *has = VARIANT_TRUE;
  }
  return S_OK;
}

}  // namespace PendrelDraw

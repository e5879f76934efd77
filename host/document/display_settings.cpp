#include "host/document/display_settings.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"

namespace PendrelHost {

namespace {
constexpr COLORREF kDefaultChannelColour = 0x00C80000;  // blue
}

HRESULT DisplaySettings::QueryInterface(REFIID iid, void** object) {
  if (iid == IPendrelGridSettings::iid && !m_hasGrid) {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
  return SimpleUnknownImp2::QueryInterface(iid, object);
}

HRESULT DisplaySettings::GetChannelColour(DWORD channel, DWORD identity, COLORREF* colour) {
  Tarn::RecordCall("DisplaySettings", "GetChannelColour",
                   "channel=" + std::to_string(channel) + ", identity=" + Tarn::HexWord(identity));
  if (!colour) return E_POINTER;
  const auto found = m_channels.find(channel);
  *colour = found == m_channels.end() ? kDefaultChannelColour : found->second;
  return S_OK;
}

HRESULT DisplaySettings::GetGridColour(DWORD grid, COLORREF* colour) {
  if (!colour) return E_POINTER;
  if (grid != 0) return S_FALSE;
  *colour = m_grid;
  return S_OK;
}

}  // namespace PendrelHost

// The data document's display object: the colour each channel is drawn in and the colours of
// its grids, which the analysis plots take for their series and graticules. Tests and the
// command line set the colours; a test can take the grid settings away, as a host without them
// would. Owned by the data document.
#pragma once

#include <map>
#include <utility>

#include "platform/pendrel/display_colours.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class DisplaySettings final
    : public SimpleUnknownImp2<IPendrelDisplayColours, IPendrelGridSettings, 1> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;

  // A channel without a colour of its own is drawn in the default blue.
  HRESULT GetChannelColour(DWORD channel, DWORD identity, COLORREF* colour) override;
  HRESULT GetGridColour(DWORD grid, COLORREF* colour) override;

  void SetChannelColour(DWORD channel, COLORREF colour) { m_channels[channel] = colour; }
  void SetGridColour(COLORREF colour) { m_grid = colour; }
  // Without grid settings the object no longer answers IPendrelGridSettings.
  void RemoveGridSettings() { m_hasGrid = false; }

 private:
  std::map<DWORD, COLORREF> m_channels;
  COLORREF m_grid = 0x00C0C0C0;
  bool m_hasGrid = true;
};

}  // namespace PendrelHost

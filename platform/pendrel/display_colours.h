// The host's display settings of a data document, as the analysis plots read them: the colour
// a channel is drawn in and the colour of the document's grids. A data document hands out its
// display object through IPendrelDisplaySource; the grid face is optional.
#pragma once

#include "platform/pendrel/host_app.h"

// The display object: a channel's colour by its index and identity word.
struct IPendrelDisplayColours : IUnknown {
  PLATFORM_INTERFACE_ID("6e0c9d1a-2b74-4f3e-8a51-c7d4e2f90b86");
  using Base = IUnknown;
  virtual HRESULT GetChannelColour(DWORD channel, DWORD identity, COLORREF* colour) = 0;

 protected:
  ~IPendrelDisplayColours() = default;
};

// The display object's grid settings: the colour of grid n.
struct IPendrelGridSettings : IUnknown {
  PLATFORM_INTERFACE_ID("b3a71f5e-08c2-4d69-9e47-1f2d6a8c3e50");
  using Base = IUnknown;
  virtual HRESULT GetGridColour(DWORD grid, COLORREF* colour) = 0;

 protected:
  ~IPendrelGridSettings() = default;
};

// Asked of a data document: its display object, with one reference (it answers
// IPendrelDisplayColours).
struct IPendrelDisplaySource : IUnknown {
  PLATFORM_INTERFACE_ID("0d84e6b2-7f19-4c35-b2a8-5e9c1d3f7a24");
  using Base = IUnknown;
  virtual HRESULT GetDisplayObject(IUnknown** display) = 0;

 protected:
  ~IPendrelDisplaySource() = default;
};

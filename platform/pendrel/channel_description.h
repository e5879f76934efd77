// What the host tells of a channel's data: its name, its unit and the unit's prefix. A data
// document gives a channel's description object by QueryInterface for
// IPendrelChannelDescriptions.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

struct IPendrelChannelDescription : IUnknown {
  PLATFORM_INTERFACE_ID("e86da9bf-d572-4307-9b9e-4f59f5b66e27");
  using Base = IUnknown;
  virtual HRESULT GetName(IQuorString** name) = 0;
  virtual HRESULT GetUnit(IQuorString** unit) = 0;
  // The unit prefix as an index 0 to 14 (8: none), as the core library's unit prefixes count.
  virtual HRESULT GetUnitPrefix(LONG* prefix) = 0;

 protected:
  ~IPendrelChannelDescription() = default;
};

struct IPendrelChannelDescriptions : IUnknown {
  PLATFORM_INTERFACE_ID("3e5d8a61-94c2-4f0b-8a7e-2c1f6b9d0e47");
  using Base = IUnknown;
  // The description of channel `channel` in a record (-2: any record that has it) with the data
  // flags (0x40002000 a preview's); E_INVALIDARG when the record lacks the channel.
  virtual HRESULT GetChannelDescription(DWORD channel, DWORD flags, LONG record,
                                        IPendrelChannelDescription** description) = 0;

 protected:
  ~IPendrelChannelDescriptions() = default;
};

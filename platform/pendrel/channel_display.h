// The channel display messages: limit lines, their value labels and shaded bands that a module
// asks the host to draw on a channel's graticule, and the host's property service, which keeps
// the last message of each kind per channel (and line) for the display to read back.
//
// Each message's parameter block begins with a data-kind word whose hexadecimal digits, from
// the lowest, give the type of each following field: 1 a flag word, 2 a 32-bit integer, 3 a
// double, 7 a text (an IQuorString pointer, pointer-sized). The texts of a message belong to
// its sender; the host copies what it keeps.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/host_app.h"
#include "platform/pendrel/messages.h"

constexpr DWORD kChannelLimitLineMsg = 0x800C0084;
constexpr DWORD kChannelBandMsg = 0x800C0085;
constexpr DWORD kChannelLimitValueMsg = 0x800C0086;

constexpr DWORD kLimitValueKind = 0x77322;
constexpr DWORD kLimitLineKind = 0x21122;
constexpr DWORD kBandKind = 0x2121212;

// Line 1 is the lower limit, line 2 the upper.
struct PendrelLimitValueBlock {
  DWORD kind;
  DWORD channel;
  DWORD line;
  double value;
  IQuorString* unit;
  IQuorString* prefix;
};

struct PendrelLimitLineBlock {
  DWORD kind;
  DWORD channel;
  DWORD line;
  DWORD shown;
  DWORD secondShown;
  COLORREF colour;
};

struct PendrelBandBlock {
  DWORD kind;
  DWORD channel;
  DWORD firstShown;
  COLORREF first;
  DWORD middleShown;
  COLORREF middle;
  DWORD lastShown;
  COLORREF last;
};

// The host document's store of channel properties.
struct IPendrelPropertyService : IUnknown {
  PLATFORM_INTERFACE_ID("d9bdf20d-b763-4f3e-ab45-5de12274512e");
  using Base = IUnknown;
  // The stored message of the key's type and parameters (a key message of the shared service:
  // channel index, then line index or 0); S_FALSE and null when none is stored.
  virtual HRESULT GetProperty(IMessage* key, IMessage** stored) = 0;

 protected:
  ~IPendrelPropertyService() = default;
};

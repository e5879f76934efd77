// What a calculated event enumerator class tells the host about itself: its name, type and
// parameters. One static descriptor per class; its class object points to it.
#pragma once

#include <span>

#include "platform/win32/guid.h"

namespace CalcEnums {

// Kinds of parameters: a sampled channel, and an event channel or a number.
constexpr DWORD kParamKindSampledChannel = 0x80000000;
constexpr DWORD kParamKindOther = 0x40000000;

// Flags of the host's channels that channel parameters ask for.
constexpr DWORD kChannelFlagSampled = 0x80000000;
constexpr DWORD kChannelFlagEvents = 0x40000000;

struct CalcEnumParameter {
  const WCHAR* name;
  DWORD kind;
  double minimum;
  double maximum;
};

struct CalcEnumDescriptor {
  const WCHAR* name;
  const WCHAR* description;
  DWORD enumTypeId;
  const GUID* typeGuid;
  DWORD typeNumber;
  // (the host's id of the type GUID << 16) | the type number, asked of the host the first time
  // it is needed; 0 until then.
  DWORD typeWord;
  std::span<const CalcEnumParameter> parameters;
  // The channel flag that each leading channel parameter needs of a channel, in order.
  std::span<const DWORD> channelFlags;
  std::span<const WCHAR* const> outputNames;
};

}  // namespace CalcEnums

// The typed events a plot raises for its native observers (the analysis views and the plot's
// persist task): a type word (plot-notification space << 16) | n and a payload record. Texts in
// a payload point at strings the raiser keeps alive while the event is delivered; observers
// copy what they keep.
#pragma once

#include "hostframework/type_ids.h"
#include "platform/win32/types.h"

namespace Quor {

inline constexpr GUID GUID_EtchNotify = win32::ParseGuid("3e8f2d71-5b9a-4c06-b1e4-7a2c9d05f318");

// The 16-bit space the host assigns to the plot-notification GUID, asked once per process.
WORD GetEtchNotifyTypeSpace();

template <DWORD N>
using EtchNotifyType = TypeIdClass<&GUID_EtchNotify, N>;

using EtchVLinesDraggedType = EtchNotifyType<0>;
using EtchCompileMarkupType = EtchNotifyType<1>;
using EtchBadPropertyType = EtchNotifyType<2>;
using EtchSetSvgType = EtchNotifyType<3>;
using EtchBoxResizedType = EtchNotifyType<4>;
using EtchXScalingChangedType = EtchNotifyType<5>;
using EtchYScalingChangedType = EtchNotifyType<6>;
using EtchZoomLevelChangedType = EtchNotifyType<8>;
using EtchMouseClickType = EtchNotifyType<9>;
using EtchRegionPosChangedType = EtchNotifyType<10>;
using EtchRegionTextChangedType = EtchNotifyType<11>;

// One event: its type word and its payload, one of the records below.
struct EtchEvent {
  DWORD type;
  const void* payload;
};

// Events 0, 4 and 8: lines dragged, box resized, zoom level changed.
struct EtchArrayPayload {
  const WCHAR* id;
  const double* values;
  DWORD count;
};

// Event 1: 1 when the markup compiled, 0 when it did not.
struct EtchCompiledPayload {
  DWORD success;
};

// Event 2.
struct EtchBadPropertyPayload {
  const WCHAR* plotter;
  const WCHAR* property;
  const WCHAR* expectedKind;
  const WCHAR* defaultText;
};

// Event 3.
struct EtchSvgPayload {
  const WCHAR* plotId;
  const WCHAR* userData;
  const WCHAR* svg;
};

// Events 5 and 6: the values without the trailing auto flag, which `autoScale` carries.
struct EtchScalingPayload {
  const WCHAR* plotId;
  const double* values;
  DWORD count;
  BYTE autoScale;
};

// Event 9.
struct EtchClickPayload {
  const WCHAR* dataId;
  const WCHAR* label;
  BYTE select;
};

// Event 10.
struct EtchRegionPosPayload {
  const WCHAR* regionId;
  double xPercent;
  double yPercent;
};

// Event 11.
struct EtchRegionTextPayload {
  const WCHAR* regionId;
  const WCHAR* text;
};

}  // namespace Quor

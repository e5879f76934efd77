// The notices a trace display sends its observers: (the host's id of the trace display's GUID
// << 16) | n, asked of the host once per process.
#pragma once

#include "hostframework/type_ids.h"

namespace PendrelDraw {

inline constexpr GUID GUID_PendrelTraceDisplay = win32::ParseGuid("c41e7a9d-52b6-4e03-8f1d-6a09b3e7c2f5");
inline constexpr GUID GUID_PendrelPreviewDocument =
    win32::ParseGuid("8a3d5f20-e6c9-47b1-9d48-2f71c0a6b5e3");

// A data pane's pane action (a dragged axis, among others), with the channel.
using PaneActionNotice = TypeIdClass<&GUID_PendrelTraceDisplay, 46>;
// A channel pane's request to auto-scale an axis, with the channel and the request's argument.
using AutoScaleRequestNotice = TypeIdClass<&GUID_PendrelTraceDisplay, 47>;

}  // namespace PendrelDraw

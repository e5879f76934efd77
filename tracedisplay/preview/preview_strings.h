// The texts the preview's sampling control and sampling failures show, from the module's string
// table. Each is loaded once and kept for the life of the module.
#pragma once

#include "core/quor_string.h"

namespace PendrelDraw {

inline constexpr UINT kStopTipText = 304;
inline constexpr UINT kStartTipText = 305;
inline constexpr UINT kPauseTipText = 306;
// "No %1 available - sampling is disabled", %1 the sampling hardware's name.
inline constexpr UINT kNoDeviceTipText = 311;
inline constexpr UINT kCannotStartSamplingText = 314;
inline constexpr UINT kSamplingCaption = 315;

const Quor::String& PreviewString(UINT id);

}  // namespace PendrelDraw

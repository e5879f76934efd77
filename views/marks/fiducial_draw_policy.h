// How a beat looks as a mark on the host's traces: its colour and its tooltip, both from the
// beat's class as the analysis sees it. The colours are those the plots give the beat classes.
// Used by the beat-mark draw class; stateless.
#pragma once

#include "analysis/detection/fiducial_event.h"
#include "core/quor_string.h"
#include "platform/win32/gdi_handles.h"

namespace Rhyth {

// COLORREF values (0x00BBGGRR).
inline constexpr COLORREF kBeatMarkGrey = RGB(200, 200, 200);
inline constexpr COLORREF kBeatMarkUserGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBeatMarkBothEctopicRed = RGB(255, 0, 0);
inline constexpr COLORREF kBeatMarkRROrange = RGB(255, 170, 0);
inline constexpr COLORREF kBeatMarkFFViolet = RGB(255, 0, 170);
inline constexpr COLORREF kBeatMarkNormalBlue = RGB(0, 80, 255);

struct FiducialDrawPolicy {
  // Unclassified or unreadable beats are grey; then a beat the user added is green, whatever
  // its class; then the ectopic kinds; a normal beat that enters the analysis is blue.
  static COLORREF MarkColour(const FiducialEvent& beat);
  // "Rhyth Beat <number>: RR = <RR in ms>; FF = <FF> (<class>)"; a missing RR reads "no data",
  // an FF that is no number "n/a".
  static Quor::String MarkText(const FiducialEvent& beat);
  // "Unknown", "Ectopic", "Normal" or "Unused".
  static const Quor::String& ClassText(const FiducialEvent& beat);
};

}  // namespace Rhyth

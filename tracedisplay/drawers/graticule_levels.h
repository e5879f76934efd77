// The level block of a graticule: up to two horizontal level lines of a lane with the bands
// beyond and between them. The drawer's user reads and writes it through GetScaleLabels; the
// drawer computes the rows of the levels each time it draws.
#pragma once

#include <cmath>

#include "core/quor_string.h"
#include "platform/win32/gdi_handles.h"

namespace PendrelDraw {

// Flags of the level block.
inline constexpr DWORD kLevelLine1 = 0x01;
inline constexpr DWORD kLevelLine2 = 0x02;
inline constexpr DWORD kLevelFillAbove = 0x04;
inline constexpr DWORD kLevelFillBelow = 0x08;
inline constexpr DWORD kLevelFillBetween = 0x10;
inline constexpr DWORD kLevel1Set = 0x20;
inline constexpr DWORD kLevel2Set = 0x40;

struct GraticuleLevels {
  double level[2] = {NAN, NAN};
  // Texts of the two levels; [1] and [3] are the units of level 1 and level 2.
  Quor::String texts[4];
  COLORREF lineColour[2] = {RGB(137, 137, 137), RGB(137, 137, 137)};
  COLORREF beyondFirst = RGB(254, 194, 194);
  COLORREF between = RGB(177, 254, 197);
  COLORREF beyondSecond = RGB(254, 194, 194);
  DWORD flags = 0;
  // The rows of the levels in the lane, the upper first, as last drawn.
  LONG rows[2] = {0, 0};
};

}  // namespace PendrelDraw

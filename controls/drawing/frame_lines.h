// A one-pixel light grey frame around a rectangle, drawn as four opaque strips so that it costs
// no pen; the trace display frames its panes with it.
#pragma once

#include "platform/win32/gdi.h"

// The frame's grey, (195, 195, 195).
constexpr COLORREF kFrameLineColour = RGB(195, 195, 195);

// Fills the top, left, right and bottom one-pixel strips inside `rect`; the context's background
// colour is put back afterwards.
void DrawFrameLines(HDC dc, const RECT& rect);

// How a toolbar button draws its glyph and its highlight: the glyph at its own pixel size, with
// opaque silver as transparent for images without premultiplied alpha, greyed through one colour
// matrix when disabled, nothing when indeterminate; the size it takes at the screen's
// resolution; and the alpha of the pulsing highlight.
#pragma once

#include "platform/gdiplus/image.h"
#include "platform/win32/clock.h"
#include "platform/win32/gdi.h"

// The face states of a gadget.
enum GlyphFaceState { kFaceNormal = 0, kFaceDown = 1, kFaceIndeterminate = 2, kFaceDisabled = 3, kFaceDefault = 4 };

// Draws `image` with its top-left at `origin`, clipped to `clip`, blended over what is there.
void DrawGlyphFace(HDC dc, const Gdiplus::Bitmap& image, POINT origin, const RECT& clip, int state,
                   bool premultiplied);

// A colour channel of a disabled glyph: 0.2228831 R + 0.2228831 G + 0.2462646 B + 0.4 (of 255).
BYTE DisabledGlyphChannel(BYTE red, BYTE green, BYTE blue);

// The glyph's extent at the resolution: trunc(size × dpi / 96), scaled in single precision.
SIZE SizedGlyphExtent(SIZE glyph, int dpiX, int dpiY);

// The glyph's top-left when centred in `inner`: left + (width − glyph width) / 2, and the same down.
POINT CentredGlyphOrigin(const RECT& inner, SIZE glyph);

// The pulse's alpha at a time of day: 128 × sin(1.2π t) + 128 with t the seconds and
// milliseconds of the minute, kept within 0 to 255 (the peak reaches 256 and must not wrap).
BYTE PulseAlpha(const SYSTEMTIME& now);

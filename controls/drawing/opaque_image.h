// What a drawing context holds, as an opaque image: the way a bitmap drawn with GDI reaches the
// image encoders and the colour-matrix drawing, which take images.
#pragma once

#include <memory>

#include "platform/gdiplus/image.h"
#include "platform/win32/gdi.h"

// The `width` by `height` pixels of `dc` from its origin, every one fully opaque.
std::unique_ptr<Gdiplus::Bitmap> OpaqueImageOf(HDC dc, int width, int height);

// The encoders behind the codec records: each turns straight ARGB pixels into a file's bytes.
// Internal to the GDI+ library.
#pragma once

#include <string>
#include <vector>

#include "platform/gdiplus/types.h"

namespace Gdiplus::detail {

struct PixelRows {
  UINT width = 0;
  UINT height = 0;
  const ARGB* argb = nullptr;  // row by row, top row first
  ARGB At(UINT x, UINT y) const { return argb[std::size_t(y) * width + x]; }
};

using Bytes = std::vector<unsigned char>;

// Each returns false, with the reason in `error`, when the library refuses the image.
bool EncodePng(const PixelRows& pixels, Bytes& out, std::string& error);
bool EncodeJpeg(const PixelRows& pixels, Bytes& out, std::string& error);
bool EncodeGif(const PixelRows& pixels, Bytes& out, std::string& error);
bool EncodeTiff(const PixelRows& pixels, Bytes& out, std::string& error);
bool EncodeBmp(const PixelRows& pixels, Bytes& out, std::string& error);

// The colour as it shows over white, fully opaque.
ARGB OverWhite(ARGB colour);

}  // namespace Gdiplus::detail

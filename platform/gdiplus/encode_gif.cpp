#include <gif_lib.h>

#include <algorithm>
#include <map>

#include "platform/gdiplus/image_encoding.h"

namespace Gdiplus::detail {

namespace {

constexpr ARGB kTransparent = 0;  // every fully transparent pixel, whatever its colour bits

// What a pixel becomes in a GIF: transparent, or opaque in its colour over white.
ARGB GifColour(ARGB colour) { return (colour >> 24) == 0 ? kTransparent : OverWhite(colour); }

// The 252 colours of a cube of 6 reds, 7 greens and 6 blues, for images of more colours than a
// palette holds.
constexpr int kReds = 6, kGreens = 7, kBlues = 6;

int CubeIndex(ARGB colour) {
  auto level = [](unsigned channel, int levels) { return int((channel * (levels - 1) + 127) / 255); };
  return (level(colour >> 16 & 0xFF, kReds) * kGreens + level(colour >> 8 & 0xFF, kGreens)) * kBlues +
         level(colour & 0xFF, kBlues);
}

GifColorType CubeColour(int index) {
  auto value = [](int level, int levels) { return GifByteType(level * 255 / (levels - 1)); };
  return {value(index / (kGreens * kBlues), kReds), value(index / kBlues % kGreens, kGreens),
          value(index % kBlues, kBlues)};
}

int WriteToBytes(GifFileType* file, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(file->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

struct Palette {
  std::vector<GifColorType> colours;
  std::vector<GifByteType> indices;  // per pixel
  int transparentIndex = NO_TRANSPARENT_COLOR;
};

// The exact colours when they fit, else the colour cube; transparency takes one entry.
Palette BuildPalette(const PixelRows& pixels) {
  Palette palette;
  std::map<ARGB, int> exact;
  bool fits = true;
  for (UINT y = 0; y < pixels.height && fits; ++y)
    for (UINT x = 0; x < pixels.width && fits; ++x) {
      exact.emplace(GifColour(pixels.At(x, y)), 0);
      fits = exact.size() <= 256;
    }
  const std::size_t count = std::size_t(pixels.width) * pixels.height;
  palette.indices.resize(count);
  if (fits) {
    for (auto& [colour, index] : exact) {
      index = int(palette.colours.size());
      if (colour == kTransparent) palette.transparentIndex = index;
      palette.colours.push_back({GifByteType(colour >> 16), GifByteType(colour >> 8), GifByteType(colour)});
    }
    for (std::size_t i = 0; i < count; ++i) palette.indices[i] = GifByteType(exact[GifColour(pixels.argb[i])]);
  } else {
    for (int i = 0; i < kReds * kGreens * kBlues; ++i) palette.colours.push_back(CubeColour(i));
    palette.transparentIndex = int(palette.colours.size());
    palette.colours.push_back({255, 255, 255});
    for (std::size_t i = 0; i < count; ++i) {
      const ARGB colour = GifColour(pixels.argb[i]);
      palette.indices[i] = GifByteType(colour == kTransparent ? palette.transparentIndex : CubeIndex(colour));
    }
  }
  // A GIF colour table has a power-of-two size of at least two entries.
  std::size_t size = 2;
  while (size < palette.colours.size()) size *= 2;
  palette.colours.resize(size, GifColorType{0, 0, 0});
  return palette;
}

}  // namespace

bool EncodeGif(const PixelRows& pixels, Bytes& out, std::string& error) {
  if (pixels.width > 0xFFFF || pixels.height > 0xFFFF) {
    error = "image too large for a GIF file";
    return false;
  }
  Palette palette = BuildPalette(pixels);
  out.clear();
  int code = 0;
  GifFileType* file = EGifOpen(&out, WriteToBytes, &code);
  if (!file) {
    error = GifErrorString(code);
    return false;
  }
  ColorMapObject* map = GifMakeMapObject(int(palette.colours.size()), palette.colours.data());
  bool ok = EGifPutScreenDesc(file, int(pixels.width), int(pixels.height), 8, 0, map) == GIF_OK;
  if (ok && palette.transparentIndex != NO_TRANSPARENT_COLOR) {
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, palette.transparentIndex};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(file, 0, 0, int(pixels.width), int(pixels.height), false, nullptr) == GIF_OK;
  for (UINT y = 0; ok && y < pixels.height; ++y)
    ok = EGifPutLine(file, palette.indices.data() + std::size_t(y) * pixels.width, int(pixels.width)) == GIF_OK;
  if (!ok) error = GifErrorString(file->Error);
  GifFreeMapObject(map);
  int closeCode = 0;
  if (EGifCloseFile(file, &closeCode) != GIF_OK && ok) {
    error = GifErrorString(closeCode);
    ok = false;
  }
  return ok;
}

}  // namespace Gdiplus::detail

#include "hostframework/host_palette.h"

#include "platform/win32/screen.h"

namespace {

constexpr COLORREF kBasicColours[21] = {
    0x0000FF, 0xFF0000, 0x008000, 0xFF00FF, 0x800000, 0x000080, 0x008080,
    0x800080, 0x808000, 0x000000, 0x00FF00, 0xFFFF00, 0x0080FF, 0x8000FF,
    0xFF0080, 0x004080, 0xC08000, 0x00A0E0, 0xFF8000, 0xC08080, 0x00FFFF};

constexpr COLORREF kRichColours[37] = {
    0x0000D5, 0x0058EA, 0x0080AA, 0x00BFA8, 0x00AA55, 0x006A0E, 0x208000, 0x6AAA00,
    0xAAAA00, 0xEA9300, 0xFF4000, 0x950013, 0xD5006A, 0xBF00A8, 0x9F00D5, 0x5800EA,
    0x6A6A6A, 0x000000, 0xFF55EA, 0xDA6AFF, 0xAF80FF, 0x6A6AFF, 0x6AA3FF, 0x55D5FF,
    0x6AFFED, 0x55FFAA, 0x2BFF45, 0x70FF40, 0xBFFF55, 0xFFFF40, 0xFFC86A, 0xFF8F6A,
    0xFF6A7D, 0xFF6AB5, 0xB5B5B5, 0x8A8A8A, 0x555555};

constexpr WORD kIdentityOrder[21] = {0, 1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 20};

constexpr WORD kRichOrder[18] = {0, 10, 5, 14, 11, 7, 2, 12, 6, 1, 9, 4, 15, 13, 8, 16, 3, 17};

HostPalette palette;

int ScreenBitsPerPixel() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits;
}

void UseBasic(int size) {
  palette.colours = kBasicColours;
  palette.size = size;
  palette.offset = 0;
  palette.order = kIdentityOrder;
  palette.orderCount = size;
  palette.orderOffset = 0;
  palette.basic = true;
}

}  // namespace

void SelectHostPalette(bool basic) {
  if (palette.chosen && palette.basic == basic) return;
  if (ScreenBitsPerPixel() < 9) {
    UseBasic(12);
  } else if (basic) {
    UseBasic(20);
  } else {
    palette.colours = kRichColours;
    palette.order = kRichOrder;
    palette.orderCount = 18;
    palette.orderOffset = 0;
    palette.basic = false;
  }
  palette.chosen = true;
}

const HostPalette& GetHostPalette() { return palette; }

COLORREF GetDefaultTraceColour(ITarnColourSource* source, int channel) {
  SelectHostPalette(source == nullptr);
  if (!source) {
    const unsigned index = static_cast<unsigned>(channel) & 0xFFFF;
    return palette.colours[index % unsigned(palette.size) + unsigned(palette.offset)];
  }
  COLORREF colour = 0;
  source->GetChannelColour(channel, &colour);
  return colour;
}

COLORREF GetTraceOrderColour(int trace) {
  const int count = palette.orderCount;
  const int slot = (trace % count + count) % count + palette.orderOffset;
  return palette.colours[palette.order[slot] % count + palette.orderOffset];
}

// The eight drawing layers of a band. A drawer's layer is its id / 256. A buffered layer draws
// into an off-screen image of the band's size and is composed into layer 0's image, the band's
// composite, which the band copies to the window.
#pragma once

#include <memory>

#include "platform/win32/gdi.h"
#include "platform/win32/geometry.h"

namespace PendrelDraw {

inline constexpr int kLayerCount = 8;
// The highest drawer id a band accepts: the last of layer 7.
inline constexpr DWORD kLastDrawerId = kLayerCount * 256 - 1;

inline constexpr DWORD kLayerBuffered = 0x80000000;
inline constexpr DWORD kLayerDirty = 0x40000000;
inline constexpr DWORD kLayerWhiteTransparent = 0x20000000;
inline constexpr DWORD kLayerDrawn = 0x10000000;
inline constexpr DWORD kLayerBlended = 0x08000000;

// A memory DC with a screen-compatible bitmap selected, whose logical origin is the band's
// top-left corner, so that the band draws into it in data-pane co-ordinates.
class LayerImage {
 public:
  LayerImage(const RECT& band);
  ~LayerImage();
  LayerImage(const LayerImage&) = delete;
  LayerImage& operator=(const LayerImage&) = delete;

  HDC Dc() const { return m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
  int m_width;
  int m_height;
};

struct Layer {
  std::shared_ptr<LayerImage> image;
  RECT dirty = {};
  LONG firstDrawer = -1;
  LONG endDrawer = -1;
  DWORD flags = kLayerWhiteTransparent;
  LONG alpha = 255;
  // A rectangle that moves with the data when the layer shifts (a blended layer's only).
  RECT* movingRect = nullptr;
  DWORD spare = 0;

  bool HasDrawers() const { return firstDrawer != endDrawer; }
  bool IsBuffered() const { return flags & kLayerBuffered; }
  void MarkDirty() { flags = (flags & ~kLayerDrawn) | kLayerDirty; }
  void MarkClean() {
    dirty = {};
    flags &= ~kLayerDirty;
  }
  // Widens the dirty rectangle to [from, to) horizontally (sets it when empty), band high.
  void WidenDirty(LONG from, LONG to, const RECT& band);
};

}  // namespace PendrelDraw

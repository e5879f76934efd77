// An off-screen drawing context: a memory context compatible with the screen with a bitmap of
// the size asked for selected into it. The drawer that makes one owns it for one drawing and
// copies the result out before it goes.
#pragma once

#include "platform/owl/gdi_objects.h"

class ScreenBitMapDC : public OWL::TMemoryDC {
 public:
  // Without a bitmap when either size is below 1. Throws XQuor when the bitmap cannot be made.
  ScreenBitMapDC(int width, int height);
  ~ScreenBitMapDC() override;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  HBITMAP GetBitmap() const { return m_bitmap; }

 private:
  int m_height;
  int m_width;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
};

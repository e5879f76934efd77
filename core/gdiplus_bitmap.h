// An owning holder of one GDI+ bitmap, null when it holds none; the bitmap is deleted with the
// holder. Not copyable: one holder owns a bitmap.
#pragma once

#include "platform/gdiplus/image.h"

class TGdiPlusBitmap {
 public:
  TGdiPlusBitmap() = default;
  virtual ~TGdiPlusBitmap() { delete m_pBitmap; }
  TGdiPlusBitmap(const TGdiPlusBitmap&) = delete;
  TGdiPlusBitmap& operator=(const TGdiPlusBitmap&) = delete;

  Gdiplus::Bitmap* GetBitmap() const { return m_pBitmap; }

 protected:
  // Deletes the bitmap held, if any, and holds none.
  void DeleteBitmap() {
    delete m_pBitmap;
    m_pBitmap = nullptr;
  }

  Gdiplus::Bitmap* m_pBitmap = nullptr;
};

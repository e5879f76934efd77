// A GDI+ bitmap decoded from a PNG resource of a module.
#pragma once

#include <memory>

#include "platform/gdiplus/image.h"
#include "platform/win32/types.h"

class TGdiPlusBitmapResource {
 public:
  TGdiPlusBitmapResource() = default;
  ~TGdiPlusBitmapResource();
  TGdiPlusBitmapResource(const TGdiPlusBitmapResource&) = delete;
  TGdiPlusBitmapResource& operator=(const TGdiPlusBitmapResource&) = delete;

  // Loads the resource `name` of type "PNG"; false (and no bitmap) on any failure.
  bool Load(LPCWSTR name, HMODULE module);
  Gdiplus::Bitmap* GetBitmap() const { return m_bitmap.get(); }

 private:
  void Drop();

  std::unique_ptr<Gdiplus::Bitmap> m_bitmap;
  // The PNG bytes stay in a locked movable block for the life of the bitmap.
  HGLOBAL m_block = nullptr;
};

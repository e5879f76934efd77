// A GDI+ bitmap decoded from a PNG resource of a module. The PNG bytes stay in a locked movable
// block for the life of the bitmap, which is deleted before the block is freed.
#pragma once

#include "core/gdiplus_bitmap.h"
#include "platform/win32/types.h"

class TGdiPlusBitmapResource : public TGdiPlusBitmap {
 public:
  TGdiPlusBitmapResource() = default;
  ~TGdiPlusBitmapResource() override;

  // Loads the resource `name` of type "PNG"; false (and no bitmap) on any failure.
  bool Load(LPCWSTR name, HMODULE module);

 private:
  void Drop();

  HGLOBAL m_block = nullptr;
};

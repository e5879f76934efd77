#include "core/gdiplus_bitmap_resource.h"

#include <cstring>

#include "platform/win32/global_memory.h"
#include "platform/win32/resources.h"

TGdiPlusBitmapResource::~TGdiPlusBitmapResource() { Drop(); }

void TGdiPlusBitmapResource::Drop() {
  DeleteBitmap();
  if (m_block) {
    GlobalUnlock(m_block);
    GlobalFree(m_block);
    m_block = nullptr;
  }
}

bool TGdiPlusBitmapResource::Load(LPCWSTR name, HMODULE module) {
  Drop();
  HRSRC info = FindResourceW(module, name, u"PNG");
  if (!info) return false;
  const DWORD size = SizeofResource(module, info);
  const void* bytes = LockResource(LoadResource(module, info));
  if (!bytes || size == 0) return false;
  m_block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!m_block) return false;
  void* memory = GlobalLock(m_block);
  std::memcpy(memory, bytes, size);
  IStream* stream = nullptr;
  if (SUCCEEDED(CreateStreamOnHGlobal(m_block, FALSE, &stream))) {
    m_pBitmap = new Gdiplus::Bitmap(stream);
    stream->Release();
    if (m_pBitmap->GetLastStatus() == Gdiplus::Ok) return true;
  }
  Drop();
  return false;
}

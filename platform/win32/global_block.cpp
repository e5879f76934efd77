#include "platform/win32/global_block.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"

namespace win32 {

GlobalBlock::GlobalBlock(HGLOBAL block, bool freeWithObject)
    : m_block(block), m_freeWithObject(freeWithObject), m_size(GlobalSize(block)) {}

GlobalBlock::~GlobalBlock() {
  if (m_freeWithObject) GlobalFree(m_block);
}

ULONG GlobalBlock::ReadAt(ULONGLONG offset, void* buffer, ULONG count) const {
  const ULONGLONG available = offset < m_size ? m_size - offset : 0;
  const auto n = static_cast<ULONG>(std::min<ULONGLONG>(count, available));
  if (n) {
    std::memcpy(buffer, static_cast<const BYTE*>(GlobalLock(m_block)) + offset, n);
    GlobalUnlock(m_block);
  }
  return n;
}

HRESULT GlobalBlock::WriteAt(ULONGLONG offset, const void* buffer, ULONG count) {
  if (!count) return S_OK;
  const ULONGLONG end = offset + count;
  if (end < offset || (end > m_size && FAILED(SetSize(end)))) return STG_E_MEDIUMFULL;
  std::memcpy(static_cast<BYTE*>(GlobalLock(m_block)) + offset, buffer, count);
  GlobalUnlock(m_block);
  return S_OK;
}

HRESULT GlobalBlock::SetSize(ULONGLONG size) {
  if (size > 0xFFFFFFFFull) return STG_E_MEDIUMFULL;
  if (size != GlobalSize(m_block)) {
    HGLOBAL moved =
        GlobalReAlloc(m_block, static_cast<SIZE_T>(size), GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!moved) return E_OUTOFMEMORY;
    m_block = moved;
  }
  m_size = size;
  return S_OK;
}

HRESULT GlobalBlock::Stat(STATSTG* status, DWORD type) const {
  if (!status) return STG_E_INVALIDPOINTER;
  std::memset(status, 0, sizeof *status);
  status->type = type;
  status->cbSize.QuadPart = m_size;
  status->grfMode = STGM_READWRITE;
  return S_OK;
}

}  // namespace win32

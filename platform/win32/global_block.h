// GlobalBlock: a global memory block with its own logical size, read and written at offsets,
// grown with zeros. It is what the stream and the lock bytes over global memory stand on; they
// own it (a stream shares it with its clones) and it frees the block when it goes, if asked to.
#pragma once

#include "platform/win32/stream.h"
#include "platform/win32/types.h"

namespace win32 {

class GlobalBlock {
 public:
  // The logical size starts as the block's size.
  GlobalBlock(HGLOBAL block, bool freeWithObject);
  ~GlobalBlock();
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  // The block may move when it grows.
  HGLOBAL Handle() const { return m_block; }
  ULONGLONG Size() const { return m_size; }

  // Reads what lies between the offset and the end; returns the number of bytes read.
  ULONG ReadAt(ULONGLONG offset, void* buffer, ULONG count) const;
  // Grows the block first when the bytes reach past its end; STG_E_MEDIUMFULL when it cannot.
  HRESULT WriteAt(ULONGLONG offset, const void* buffer, ULONG count);
  // Sizes of 4 GiB and more give STG_E_MEDIUMFULL, a failed reallocation E_OUTOFMEMORY.
  HRESULT SetSize(ULONGLONG size);
  // Zeroes the record and fills in the type, the size and read-write access.
  HRESULT Stat(STATSTG* status, DWORD type) const;

 private:
  HGLOBAL m_block;
  bool m_freeWithObject;
  ULONGLONG m_size;
};

}  // namespace win32

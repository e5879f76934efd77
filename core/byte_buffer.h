// ByteBuffer: a growable block of bytes whose new bytes are always zero, for records read from
// the host in sizes known only at run time.
#pragma once

#include "core/array_ctor.h"

class ByteBuffer : public CArrayCtorInit<BYTE, 256, 1> {
 public:
  // A smaller n cuts the end; a larger n appends zero bytes, also over bytes that an earlier
  // cut left behind in the storage.
  void Resize(DWORD n) {
    if (n < m_count) {
      m_count = n;  // bytes need no destruction
    } else {
      SetSize(n);
    }
  }

  BYTE* Data() { return m_data; }
  const BYTE* Data() const { return m_data; }
  DWORD Size() const { return m_count; }
};

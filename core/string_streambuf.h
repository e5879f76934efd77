// Quor::StringStreamBuf: a wide stream buffer whose memory is a Quor::String. `str` hands the
// text out by sharing the string's representation; the next write then works on a copy, so a
// string once handed out never changes.
#pragma once

#include "core/mem_streambuf_base.h"
#include "core/quor_string.h"

namespace Quor {

class StringStreamBuf : public MemStreamBufBase {
 public:
  explicit StringStreamBuf(std::ios_base::openmode mode = std::ios_base::in | std::ios_base::out,
                           const String& initial = String());

  // The text written so far, sharing the buffer's representation.
  String str();

 protected:
  WCHAR* GetBuffer(DWORD& capacity) override;
  WCHAR* Grow(DWORD newCapacity, DWORD& capacity) override;

 private:
  String m_string;
  bool m_taken = false;  // str has handed out the representation since the last write
};

}  // namespace Quor

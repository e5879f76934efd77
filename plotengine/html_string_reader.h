// Quor::HtmlStringReader: a reader over one HTML text as UTF-8 bytes, without a terminating
// NUL, as the HTML loader serves it. Made for each request; lives as long as the browser holds
// it.
#pragma once

#include "core/quor_string.h"
#include "plotengine/byte_string_reader.h"

namespace Quor {

class HtmlStringReader : public ByteStringReader {
 public:
  explicit HtmlStringReader(const String& text);

  // Bytes only: an element size other than 1 fails with E_FAIL.
  HRESULT Read(void* target, DWORD elementSize, DWORD count, DWORD* read) override;
};

}  // namespace Quor

#include "plotengine/html_string_reader.h"

namespace Quor {

HtmlStringReader::HtmlStringReader(const String& text)
    : ByteStringReader(text.ToUtf8String(), E_POINTER) {}

HRESULT HtmlStringReader::Read(void* target, DWORD elementSize, DWORD count, DWORD* read) {
  if (elementSize != 1) return E_FAIL;
  if (!target || !read) return E_POINTER;
  *read = CopyOut(target, count);
  return S_OK;
}

}  // namespace Quor

#include "platform/win32/bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kPrefix = sizeof(DWORD);

std::size_t TextLength(LPCOLESTR text) {
  std::size_t n = 0;
  while (text[n]) ++n;
  return n;
}

// Allocates room for byteLength bytes plus a two-byte NUL, with the length prefix in front.
BSTR AllocateBytes(const void* source, std::size_t byteLength) {
  if (byteLength > std::numeric_limits<DWORD>::max() - 16) return nullptr;
  auto* block = static_cast<BYTE*>(std::malloc(kPrefix + byteLength + sizeof(OLECHAR) + 1));
  if (!block) return nullptr;
  const DWORD prefix = static_cast<DWORD>(byteLength);
  std::memcpy(block, &prefix, kPrefix);
  BYTE* bytes = block + kPrefix;
  if (source) {
    std::memcpy(bytes, source, byteLength);
  } else {
    std::memset(bytes, 0, byteLength);
  }
  bytes[byteLength] = bytes[byteLength + 1] = bytes[byteLength + 2] = 0;
  return reinterpret_cast<BSTR>(bytes);
}

}  // namespace

BSTR SysAllocString(LPCOLESTR text) {
  if (!text) return nullptr;
  return AllocateBytes(text, TextLength(text) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  return AllocateBytes(text, static_cast<std::size_t>(length) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length) { return AllocateBytes(bytes, length); }

INT SysReAllocString(BSTR* target, LPCOLESTR text) {
  return SysReAllocStringLen(target, text, text ? static_cast<UINT>(TextLength(text)) : 0);
}

INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length) {
  BSTR fresh = SysAllocStringLen(text, length);
  if (!fresh) return FALSE;
  SysFreeString(*target);
  *target = fresh;
  return TRUE;
}

void SysFreeString(BSTR text) {
  if (text) std::free(reinterpret_cast<BYTE*>(text) - kPrefix);
}

UINT SysStringByteLen(BSTR text) {
  if (!text) return 0;
  DWORD prefix;
  std::memcpy(&prefix, reinterpret_cast<BYTE*>(text) - kPrefix, kPrefix);
  return prefix;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

#include "platform/win32/version.h"

#include <cstring>
#include <string>

#include "platform/win32/resources.h"

namespace {

constexpr DWORD kFixedSignature = 0xFEEF04BD;
constexpr std::u16string_view kStringsPrefix = u"\\StringFileInfo\\";

}  // namespace

const void* FindModuleVersionBlock(HMODULE module) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
  if (!resource || SizeofResource(module, resource) < sizeof(VS_FIXEDFILEINFO)) return nullptr;
  return LockResource(LoadResource(module, resource));
}

BOOL VerQueryValueW(const void* block, LPCWSTR subBlock, void** value, UINT* length) {
  if (!block || !subBlock || !value || !length) return FALSE;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
  if (fixed->dwSignature != kFixedSignature) return FALSE;
  const std::u16string_view query(subBlock);
  if (query == u"\\") {
    *value = const_cast<VS_FIXEDFILEINFO*>(fixed);
    *length = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
  }
  if (query.substr(0, kStringsPrefix.size()) != kStringsPrefix) return FALSE;
  const std::size_t slash = query.find(u'\\', kStringsPrefix.size());
  if (slash == std::u16string_view::npos) return FALSE;
  const std::u16string_view key = query.substr(slash + 1);
  // Key/value pairs of counted units follow the fixed part; a zero key length ends them.
  const auto* p = reinterpret_cast<const BYTE*>(fixed + 1);
  for (;;) {
    WORD keyLength, valueLength;
    std::memcpy(&keyLength, p, 2);
    if (keyLength == 0) return FALSE;
    const auto* keyUnits = reinterpret_cast<const char16_t*>(p + 2);
    p += 2 + 2 * std::size_t(keyLength);
    std::memcpy(&valueLength, p, 2);
    const auto* valueUnits = reinterpret_cast<const char16_t*>(p + 2);
    p += 2 + 2 * std::size_t(valueLength) + 2;  // the value's NUL
    if (std::u16string_view(keyUnits, keyLength) == key) {
      *value = const_cast<char16_t*>(valueUnits);
      *length = valueLength + 1;
      return TRUE;
    }
  }
}

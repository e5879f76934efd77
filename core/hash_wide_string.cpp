#include "core/hash_wide_string.h"

namespace Quor {

DWORD HashWideString(const WCHAR* text) {
  DWORD hash = 0;
  for (; text && *text; ++text) {
    hash = (hash << 4) + *text;
    const DWORD high = hash & 0xF0000000;
    if (high) hash ^= high >> 24;
    hash &= ~high;
  }
  return hash;
}

}  // namespace Quor

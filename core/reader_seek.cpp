#include "core/reader_seek.h"

#include <algorithm>

namespace Quor {

HRESULT ResolveReaderSeek(DWORD position, DWORD size, LONG offset, DWORD origin, DWORD* target) {
  LONGLONG base;
  switch (origin) {
    case kQuorSeekCurrent:
      base = position;
      break;
    case kQuorSeekEnd:
      base = size;
      break;
    case kQuorSeekStart:
      base = 0;
      break;
    default:
      return E_INVALIDARG;
  }
  *target = static_cast<DWORD>(std::clamp<LONGLONG>(base + offset, 0, size));
  return S_OK;
}

}  // namespace Quor

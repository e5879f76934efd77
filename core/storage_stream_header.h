// The first four bytes of every storage stream: 0xAA 0xAA, the format version, 0x55.
#pragma once

#include "platform/win32/types.h"

namespace Quor {

constexpr DWORD kStorageHeaderMask = 0xFF00FFFF;
constexpr DWORD kStorageHeaderMark = 0x5500AAAA;
// The version this module writes.
constexpr DWORD kStorageStreamVersion = 0x15;
// A stream without a header is read as this version.
constexpr DWORD kHeaderlessStreamVersion = 1;

constexpr DWORD StorageStreamHeader(DWORD version) {
  return kStorageHeaderMark | (version & 0xFF) << 16;
}

constexpr bool IsStorageStreamHeader(DWORD word) {
  return (word & kStorageHeaderMask) == kStorageHeaderMark;
}

constexpr DWORD StorageHeaderVersion(DWORD header) { return (header >> 16) & 0xFF; }

}  // namespace Quor

#include "core/resource_string_entry.h"

#include <cstring>

#include "platform/win32/resources.h"

namespace Quor {

const WORD* FindResourceStringEntry(HMODULE module, HRSRC block, UINT id) {
  if (!block) return nullptr;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, block)));
  const DWORD size = SizeofResource(module, block);
  if (!bytes) return nullptr;
  std::size_t offset = 0;
  for (UINT slot = 0;; ++slot) {
    if (offset + sizeof(WORD) > size) return nullptr;
    WORD length;
    std::memcpy(&length, bytes + offset, sizeof length);
    if (slot == (id & 15)) {
      if (length == 0 || offset + sizeof(WORD) * (1 + std::size_t(length)) > size) return nullptr;
      return reinterpret_cast<const WORD*>(bytes + offset);
    }
    offset += sizeof(WORD) * (1 + std::size_t(length));
  }
}

}  // namespace Quor

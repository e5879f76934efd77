#include "platform/win32/global_memory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

struct MovableBlock {
  void* memory;
  SIZE_T size;
  LONG locks;
};

// A fixed block carries its size in front of the address handed out.
struct alignas(16) FixedHeader {
  SIZE_T size;
};

std::mutex& MovableMutex() {
  static std::mutex mutex;
  return mutex;
}

std::unordered_set<void*>& MovableHandles() {
  static std::unordered_set<void*> handles;
  return handles;
}

MovableBlock* AsMovable(HGLOBAL block) {
  std::lock_guard lock(MovableMutex());
  return MovableHandles().count(block) ? static_cast<MovableBlock*>(block) : nullptr;
}

FixedHeader* HeaderOf(HGLOBAL block) { return static_cast<FixedHeader*>(block) - 1; }

void* AllocateBytes(SIZE_T bytes, bool zero) {
  void* memory = zero ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  if (!memory) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return memory;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  const bool zero = (flags & GMEM_ZEROINIT) != 0;
  if (flags & GMEM_MOVEABLE) {
    void* memory = AllocateBytes(bytes, zero);
    if (!memory) return nullptr;
    auto* block = new MovableBlock{memory, bytes, 0};
    std::lock_guard lock(MovableMutex());
    MovableHandles().insert(block);
    return block;
  }
  auto* header = static_cast<FixedHeader*>(AllocateBytes(sizeof(FixedHeader) + bytes, zero));
  if (!header) return nullptr;
  header->size = bytes;
  return header + 1;
}

HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags) {
  if (MovableBlock* movable = AsMovable(block)) {
    void* memory = std::realloc(movable->memory, bytes ? bytes : 1);
    if (!memory) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    if ((flags & GMEM_ZEROINIT) && bytes > movable->size) {
      std::memset(static_cast<char*>(memory) + movable->size, 0, bytes - movable->size);
    }
    movable->memory = memory;
    movable->size = bytes;
    return block;
  }
  // A fixed block may only move when the caller allows it.
  if (!(flags & GMEM_MOVEABLE) && bytes > HeaderOf(block)->size) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const SIZE_T old = HeaderOf(block)->size;
  auto* header = static_cast<FixedHeader*>(std::realloc(HeaderOf(block), sizeof(FixedHeader) + bytes));
  if (!header) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((flags & GMEM_ZEROINIT) && bytes > old) {
    std::memset(reinterpret_cast<char*>(header + 1) + old, 0, bytes - old);
  }
  header->size = bytes;
  return header + 1;
}

HGLOBAL GlobalFree(HGLOBAL block) {
  if (!block) return nullptr;
  if (MovableBlock* movable = AsMovable(block)) {
    {
      std::lock_guard lock(MovableMutex());
      MovableHandles().erase(block);
    }
    std::free(movable->memory);
    delete movable;
    return nullptr;
  }
  std::free(HeaderOf(block));
  return nullptr;
}

LPVOID GlobalLock(HGLOBAL block) {
  if (!block) return nullptr;
  if (MovableBlock* movable = AsMovable(block)) {
    ++movable->locks;
    return movable->memory;
  }
  return block;
}

BOOL GlobalUnlock(HGLOBAL block) {
  if (MovableBlock* movable = AsMovable(block)) {
    if (movable->locks > 0) --movable->locks;
    return movable->locks > 0 ? TRUE : FALSE;
  }
  return FALSE;
}

SIZE_T GlobalSize(HGLOBAL block) {
  if (!block) return 0;
  if (MovableBlock* movable = AsMovable(block)) return movable->size;
  return HeaderOf(block)->size;
}

LPVOID CoTaskMemAlloc(SIZE_T bytes) { return std::malloc(bytes ? bytes : 1); }

void CoTaskMemFree(LPVOID memory) { std::free(memory); }

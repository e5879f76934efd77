// The storage of computed blocks. Whole blocks come from large regions that the system may back
// with huge pages, so that a pass through a recording touches a fresh page once per two
// megabytes instead of once per four kilobytes: on a virtual machine a page fault costs more
// than computing the values that fill it. The values are left unset when a block is made, since
// every stage writes all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace PendrelHost {

// Ticks per block.
inline constexpr int64_t kBlockTicks = 16384;

// Hands out whole blocks from the shared regions and anything else from the heap.
class BlockAllocator {
 public:
  using value_type = float;
  // Blocks hold floats only.
  template <typename U>
  struct rebind {
    using other = BlockAllocator;
  };

  BlockAllocator() = default;
  float* allocate(std::size_t count);
  void deallocate(float* values, std::size_t count) noexcept;

  // Values of a new block are written by their stage before anyone reads them.
  template <typename U>
  void construct(U* value) noexcept {
    ::new (static_cast<void*>(value)) U;
  }
  template <typename U, typename... Args>
  void construct(U* value, Args&&... args) {
    ::new (static_cast<void*>(value)) U(std::forward<Args>(args)...);
  }

  bool operator==(const BlockAllocator&) const = default;
};

using BlockValues = std::vector<float, BlockAllocator>;

}  // namespace PendrelHost

#include "host/channels/block_storage.h"

#include <sys/mman.h>

#include <cstdint>
#include <mutex>
#include <new>

namespace PendrelHost {

namespace {

constexpr auto kWholeBlock = static_cast<std::size_t>(kBlockTicks);
constexpr std::size_t kBlockBytes = kWholeBlock * sizeof(float);
// One huge page of blocks at a time.
constexpr std::size_t kRegionBytes = std::size_t{2} << 20;
constexpr std::size_t kBlocksPerRegion = kRegionBytes / kBlockBytes;

// Blocks of every document's cache, kept for reuse once made. The caches keep to their budgets,
// so what is kept here is at most what the caches alive together held at once.
class BlockPool {
 public:
  float* Take() {
    std::lock_guard lock(m_mutex);
    if (m_free.empty()) AddRegion();
    float* block = m_free.back();
    m_free.pop_back();
    return block;
  }

  void Give(float* block) {
    std::lock_guard lock(m_mutex);
    m_free.push_back(block);
  }

 private:
  // A region aligned to its size, so that the system can map it with one huge page.
  void AddRegion() {
    void* mapped = mmap(nullptr, 2 * kRegionBytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kRegionBytes - 1) & ~(kRegionBytes - 1);
    if (aligned > start) munmap(mapped, aligned - start);
    const std::uintptr_t end = start + 2 * kRegionBytes;
    if (end > aligned + kRegionBytes) munmap(reinterpret_cast<void*>(aligned + kRegionBytes), end - aligned - kRegionBytes);
    auto* region = reinterpret_cast<float*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(region, kRegionBytes, MADV_HUGEPAGE);  // a hint: without huge pages all still works
#endif
    // Handed out from the region's start, so that a short pass touches few of its pages.
    for (std::size_t i = kBlocksPerRegion; i-- > 0;) m_free.push_back(region + i * kWholeBlock);
  }

  std::mutex m_mutex;
  std::vector<float*> m_free;
};

// Never destroyed: blocks may be given back while the program ends.
BlockPool& Pool() {
  static BlockPool* pool = new BlockPool;
  return *pool;
}

}  // namespace

float* BlockAllocator::allocate(std::size_t count) {
  if (count == kWholeBlock) return Pool().Take();
  return static_cast<float*>(::operator new(count * sizeof(float)));
}

void BlockAllocator::deallocate(float* values, std::size_t count) noexcept {
  if (count == kWholeBlock) {
    Pool().Give(values);
  } else {
    ::operator delete(values);
  }
}

}  // namespace PendrelHost

#include "host/recording/sample_pages.h"

#include <sys/mman.h>

#include <cstdint>

#include "host/recording/huge_pages.h"

namespace PendrelHost {

namespace {

// What the heap adds to a large block around the bytes asked for, so that asking this much less
// than whole huge pages gets a mapping of whole huge pages, which the system aligns to them.
constexpr std::size_t kHeapOverhead = 32;

// Asks the system to back a range with huge pages now (Linux 6.1 and later; older ones refuse).
#ifdef MADV_COLLAPSE
constexpr int kCollapse = MADV_COLLAPSE;
#else
constexpr int kCollapse = 25;
#endif

// Room for at least `count` samples that fills whole huge pages.
std::size_t HugePageCapacity(std::size_t count) {
  const std::size_t bytes = count * sizeof(float) + kHeapOverhead;
  const std::size_t pages = (bytes + kHugePageBytes - 1) / kHugePageBytes;
  return (pages * kHugePageBytes - kHeapOverhead) / sizeof(float);
}

}  // namespace

void ResizeForFilling(std::vector<float>& samples, std::size_t count) {
  if (count * sizeof(float) >= kHugePageBytes && count > samples.capacity()) {
    // Reserved first, so that the advice comes before the zeros touch the pages. The advice
    // is a hint: the huge pages around the samples hold nothing else worth keeping apart, and
    // without huge pages everything works as before.
    samples.reserve(HugePageCapacity(count));
#ifdef MADV_HUGEPAGE
    const auto begin = reinterpret_cast<std::uintptr_t>(samples.data());
    const std::uintptr_t first = HugePageFloor(begin);
    const std::uintptr_t last = HugePageFloor(begin + count * sizeof(float) + kHugePageBytes - 1);
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    // The heap has already written its own note at the start of the block, so that first huge
    // page would stay in small pages: collapsed now, it and the rest come as huge pages at once.
    madvise(reinterpret_cast<void*>(first), last - first, kCollapse);
#endif
  }
  samples.resize(count);
}

}  // namespace PendrelHost

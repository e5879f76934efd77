#include "host/cli/process_heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "host/recording/huge_pages.h"

namespace PendrelHost {

namespace {

// The heap's step: blocks smaller than this come from the heap and are reused once freed;
// larger ones (a day's samples) are mappings of their own, placed on huge pages by their owners.
constexpr std::size_t kHeapStep = std::size_t{32} << 20;

// Holds the rest of the heap's first huge page for the life of the process (see below);
// volatile, so that the block is allocated although nothing ever reads it.
void* volatile g_firstPageRest = nullptr;

}  // namespace

void PrepareProcessHeap() {
  mallopt(M_MMAP_THRESHOLD, int(kHeapStep));
  mallopt(M_TOP_PAD, int(kHeapStep));
  mallopt(M_TRIM_THRESHOLD, int(2 * kHeapStep));
  // One block larger than the heap's free end makes the heap take its first step now, so that
  // the room it adds can be advised before anything touches it. The block lies where the free
  // end began.
  void* probe = std::malloc(kHugePageBytes);
  if (!probe) return;
  const auto freeEnd = reinterpret_cast<std::uintptr_t>(probe);
  const std::uintptr_t first = HugePageFloor(freeEnd) + kHugePageBytes;
  const std::uintptr_t last = HugePageFloor(reinterpret_cast<std::uintptr_t>(sbrk(0)));
  std::free(probe);
  // Not the heap of the C library (a sanitizer's allocator has its own): left as it is.
  if (last <= first) return;
  // The huge page under the free end already holds small pages that the heap wrote: what is
  // allocated there would be touched four kilobytes at a time. One block that is never used
  // fills it, so that the blocks allocated later begin on the next huge page.
  g_firstPageRest = std::malloc(first - freeEnd - 64);
#ifdef MADV_HUGEPAGE
  madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace PendrelHost

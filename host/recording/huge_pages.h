// The system's huge pages, which the host asks for wherever it touches megabytes of fresh
// memory: on a virtual machine a page fault costs more than the work that fills the page.
#pragma once

#include <cstddef>
#include <cstdint>

namespace PendrelHost {

inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

inline std::uintptr_t HugePageFloor(std::uintptr_t address) {
  return address & ~(kHugePageBytes - 1);
}

}  // namespace PendrelHost

// Records the largest single allocation made through operator new while a probe is alive, so
// that tests can show that damaged input never makes the code reserve memory it was only
// promised.
#pragma once

#include <cstddef>

class AllocationProbe {
 public:
  AllocationProbe();
  ~AllocationProbe();
  AllocationProbe(const AllocationProbe&) = delete;
  AllocationProbe& operator=(const AllocationProbe&) = delete;

  std::size_t Largest() const;
};

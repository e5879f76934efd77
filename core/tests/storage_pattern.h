// Test data for stream contents: bytes that depend on their offset and a seed, so that data in
// the wrong place or from the wrong stream shows.
#pragma once

#include <cstddef>
#include <string>

namespace storage_test {

inline std::string Pattern(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<char>((i * 131 + seed * 17 + i / 251) & 0xFF);
  }
  return bytes;
}

}  // namespace storage_test

// What the fuzz targets share: the input as text, and a sink that reads every value a reader
// produced, so the sanitizers see each byte it claims to hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace RhythFuzz {

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Where Touch leaves its sums: a volatile, so the reads are kept.
inline volatile double touchedSum = 0.0;

// Reads every value.
template <typename T>
void Touch(std::span<const T> values) {
  double sum = 0.0;
  for (const T value : values) sum += double(value);
  touchedSum = sum;
}

}  // namespace RhythFuzz

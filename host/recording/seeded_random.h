// Random numbers that a seed repeats exactly on every platform: the standard engine's raw
// output, turned into uniform and normal variates by our own arithmetic (the standard
// distributions may differ between libraries).
#pragma once

#include <cstdint>
#include <random>

namespace PendrelHost {

class SeededRandom {
 public:
  explicit SeededRandom(uint64_t seed) : m_engine(seed) {}

  // In [0, 1).
  double Uniform() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }
  // Mean 0, standard deviation 1 (Box-Muller).
  double Normal();

 private:
  std::mt19937_64 m_engine;
  double m_spare = 0.0;
  bool m_hasSpare = false;
};

}  // namespace PendrelHost

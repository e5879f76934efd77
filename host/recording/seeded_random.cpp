#include "host/recording/seeded_random.h"

#include <cmath>
#include <numbers>

namespace PendrelHost {

double SeededRandom::Normal() {
  if (m_hasSpare) {
    m_hasSpare = false;
    return m_spare;
  }
  const double radius = std::sqrt(-2.0 * std::log(1.0 - Uniform()));  // 1 - u keeps log away from 0
  const double angle = 2.0 * std::numbers::pi * Uniform();
  m_spare = radius * std::sin(angle);
  m_hasSpare = true;
  return radius * std::cos(angle);
}

}  // namespace PendrelHost

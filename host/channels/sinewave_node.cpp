#include "host/channels/sinewave_node.h"

#include <cmath>
#include <numbers>

namespace PendrelHost {

void SinewaveNode::Compute(std::size_t, int64_t start, std::span<float> values) {
  // Cycles per tick, reduced to one turn per tick before the angle is formed, so that the phase
  // stays exact deep into long records.
  const double cyclesPerTick = m_frequency * m_recording.TickPeriod();
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double cycles = std::fmod(cyclesPerTick * static_cast<double>(start + static_cast<int64_t>(i)), 1.0);
    values[i] = static_cast<float>(std::sin(2.0 * std::numbers::pi * cycles));
  }
}

}  // namespace PendrelHost

#include "host/recording/cardiac_phase.h"

#include <numbers>

namespace PendrelHost {

namespace {
constexpr double kPi = std::numbers::pi;
}  // namespace

CardiacPhase::CardiacPhase(BeatSchedule& beats)
    : m_beats(beats), m_last(m_beats.Next()), m_next(m_beats.Next()) {
  AdvanceTo(m_last.time);
}

void CardiacPhase::AdvanceTo(double time) {
  while (time >= m_next.time) {
    m_last = m_next;
    m_next = m_beats.Next();
  }
  m_angularSpeed = 2.0 * kPi / (m_next.time - m_last.time);
  m_phase = m_angularSpeed * (time - m_last.time);
  if (m_phase > kPi) m_phase -= 2.0 * kPi;
}

}  // namespace PendrelHost

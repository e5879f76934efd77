#include "host/recording/cardiac_phase.h"

#include <cmath>
#include <numbers>

namespace PendrelHost {

CardiacPhase::CardiacPhase(const RrProcess& rr, double startPhase) : m_rr(rr) {
  StartBeat(0.0);
  // Place the first R wave so that time 0 lies startPhase into its cycle.
  m_beatStart = -startPhase / m_angularSpeed;
  m_phase = startPhase;
}

void CardiacPhase::StartBeat(double time) {
  m_beatStart = time;
  m_beatRr = m_rr.At(time);
  m_angularSpeed = 2.0 * std::numbers::pi / m_beatRr;
}

void CardiacPhase::AdvanceTo(double time) {
  while (time >= m_beatStart + m_beatRr) StartBeat(m_beatStart + m_beatRr);
  m_phase = m_angularSpeed * (time - m_beatStart);
  if (m_phase > std::numbers::pi) m_phase -= 2.0 * std::numbers::pi;
}

}  // namespace PendrelHost

#include "host/recording/cardiac_phase.h"

#include <numbers>

namespace PendrelHost {

namespace {

constexpr double kPi = std::numbers::pi;
// The Q, R and S waves lie within this phase of their R wave (their Gaussians have fallen below
// a millionth of their peaks there).
constexpr double kQrsHalfSpan = kPi / 4.0;

}  // namespace

CardiacPhase::CardiacPhase(const RrProcess& rr, double startPhase) : m_rr(rr) {
  // The cycle before the first R wave runs at the first beat's speed throughout, so that time
  // 0 lies startPhase into it.
  const double first = m_rr.At(0.0);
  const double firstR = -startPhase / (2.0 * kPi) * first;
  m_cycle = {firstR - first, first, first};
  AdvanceTo(0.0);
}

void CardiacPhase::NextCycle() {
  const double start = m_cycle.start + m_cycle.rr;
  m_cycle = {start, m_cycle.nextRr, m_rr.At(start + m_cycle.nextRr)};
}

void CardiacPhase::AdvanceTo(double time) {
  while (time >= m_cycle.start + m_cycle.rr) NextCycle();
  const double t = time - m_cycle.start;
  // Seconds of the QRS half after the cycle's R wave and of the half before the next.
  double after = kQrsHalfSpan / (2.0 * kPi) * m_cycle.rr;
  double before = kQrsHalfSpan / (2.0 * kPi) * m_cycle.nextRr;
  // A next beat many times longer leaves no time between the halves: the cycle turns evenly.
  if (after + before >= m_cycle.rr) after = before = kQrsHalfSpan / (2.0 * kPi) * m_cycle.rr;
  const double between = m_cycle.rr - after - before;
  if (t < after) {
    m_angularSpeed = kQrsHalfSpan / after;
    m_phase = m_angularSpeed * t;
  } else if (t < after + between) {
    m_angularSpeed = (2.0 * kPi - 2.0 * kQrsHalfSpan) / between;
    m_phase = kQrsHalfSpan + m_angularSpeed * (t - after);
  } else {
    m_angularSpeed = kQrsHalfSpan / before;
    m_phase = 2.0 * kPi - m_angularSpeed * (m_cycle.rr - t);
  }
  if (m_phase > kPi) m_phase -= 2.0 * kPi;
}

}  // namespace PendrelHost

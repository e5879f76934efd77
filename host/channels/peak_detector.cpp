#include "host/channels/peak_detector.h"

#include <algorithm>
#include <cmath>

namespace PendrelHost {

PeakDetector::PeakDetector(const PeakDetectorSettings& settings)
    : m_height(settings.height),
      m_release(settings.height - std::abs(settings.height) * settings.hysteresis),
      m_minimumPeriod(settings.minimumPeriod) {}

void PeakDetector::Feed(int64_t firstTick, std::span<const float> values, EventRecords& events) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int64_t tick = firstTick + static_cast<int64_t>(i);
    const double value = values[i];
    if (!m_inExcursion) {
      if (value > m_height) {
        m_inExcursion = true;
        m_excursionStart = tick;
        m_excursionPeak = {tick, value};
      }
    } else if (value > m_excursionPeak.value) {
      m_excursionPeak = {tick, value};
    } else if (value < m_release) {
      EndExcursion(events);
    }
    if (m_pending) EmitPendingIfFinal(tick + 1, events);
  }
  m_nextTick = firstTick + static_cast<int64_t>(values.size());
}

void PeakDetector::Finish(EventRecords& events) {
  if (m_inExcursion) EndExcursion(events);
  if (m_pending) Emit(*m_pending, events);
  m_pending.reset();
}

int64_t PeakDetector::SettledTick() const {
  int64_t settled = m_nextTick;
  if (m_inExcursion) settled = std::min(settled, m_excursionStart);
  if (m_pending) settled = std::min(settled, m_pending->tick);
  return settled;
}

void PeakDetector::EndExcursion(EventRecords& events) {
  m_inExcursion = false;
  const Peak candidate = m_excursionPeak;
  if (m_pending && candidate.tick - m_pending->tick < m_minimumPeriod) {
    if (candidate.value > m_pending->value) m_pending = candidate;
    return;
  }
  if (m_pending) Emit(*m_pending, events);
  m_pending = candidate;
}

// A pending peak is final once no later peak can come within the minimum period of it: the
// samples seen reach that far, and an excursion still open has its highest point beyond it.
void PeakDetector::EmitPendingIfFinal(int64_t seenUpTo, EventRecords& events) {
  const int64_t clear = m_pending->tick + m_minimumPeriod;
  if (seenUpTo < clear) return;
  if (m_inExcursion && m_excursionPeak.tick < clear) return;
  Emit(*m_pending, events);
  m_pending.reset();
}

void PeakDetector::Emit(const Peak& peak, EventRecords& events) {
  events.Append(EventRecord{static_cast<int32_t>(peak.tick), 0.0f, peak.value});
}

}  // namespace PendrelHost

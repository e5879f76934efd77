// The peak detector of cmpeakdet: one event per excursion of the signal above a height, at the
// excursion's largest sample. An excursion ends when the signal falls below the height less a
// hysteresis, so that noise on a slope does not split it. No two events lie closer than a
// minimum period: of two peaks closer than that, the higher one stays.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "host/recording/event_records.h"

namespace PendrelHost {

struct PeakDetectorSettings {
  double height;
  double hysteresis;       // fraction of |height|
  int64_t minimumPeriod;   // ticks
};

class PeakDetector {
 public:
  explicit PeakDetector(const PeakDetectorSettings& settings);

  // The samples from `firstTick` on; final events are appended to `events`.
  void Feed(int64_t firstTick, std::span<const float> values, EventRecords& events);
  // The data ended: the open excursion and the pending peak are final.
  void Finish(EventRecords& events);
  // Events before this tick are final.
  int64_t SettledTick() const;

 private:
  struct Peak {
    int64_t tick;
    double value;
  };

  void EndExcursion(EventRecords& events);
  void EmitPendingIfFinal(int64_t tick, EventRecords& events);
  void Emit(const Peak& peak, EventRecords& events);

  double m_height;
  double m_release;
  int64_t m_minimumPeriod;
  int64_t m_nextTick = 0;
  bool m_inExcursion = false;
  int64_t m_excursionStart = 0;
  Peak m_excursionPeak{};
  std::optional<Peak> m_pending;  // may still lose to a higher peak within the minimum period
};

}  // namespace PendrelHost

// The checkpoints of one record: copies of the algorithm's state as it stood at every
// kCheckpointSpacing ticks, so that reading from any position replays at most one spacing
// instead of the whole record.
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win32/types.h"

namespace EEH3 {

constexpr LONG kCheckpointSpacing = 100000;

// The checkpoint at or below a tick.
constexpr LONG CheckpointOf(LONG tick) { return tick / kCheckpointSpacing; }

template <class State>
class RecordCache {
 public:
  // Slot 0 holds `initial`, the state at the record's start (tick 0).
  explicit RecordCache(const State& initial) { m_slots.emplace_back(initial); }

  // The stored state nearest at or below `tick`, and the tick it stands at.
  const State& NearestAtOrBelow(LONG tick, LONG& standsAt) const {
    LONG slot = std::clamp<LONG>(CheckpointOf(tick), 0, LONG(m_slots.size()) - 1);
    while (slot > 0 && !m_slots[slot]) --slot;
    standsAt = slot * kCheckpointSpacing;
    return *m_slots[slot];
  }

  // Keeps `state` as it stood at the start of `checkpoint`. The initial state stays.
  void Store(LONG checkpoint, const State& state) {
    if (checkpoint <= 0) return;
    if (DWORD(checkpoint) >= m_slots.size()) m_slots.resize(DWORD(checkpoint) + 1);
    m_slots[checkpoint] = state;
  }

 private:
  std::vector<std::optional<State>> m_slots;
};

}  // namespace EEH3

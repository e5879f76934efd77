// What an algorithm carries from event to event within one record. The enumerator copies a state
// at checkpoints and replays from a copy, so a state holds everything the algorithm's results
// depend on, including where each source stood.
#pragma once

#include <vector>

#include "hostframework/eeh3/params_base.h"

namespace EEH3 {

class StateBase {
 public:
  StateBase() = default;
  StateBase(const StateBase&) = default;
  StateBase& operator=(const StateBase&) = default;
  virtual ~StateBase() = default;

  // The tick up to which the state is complete: every event before it has been produced.
  // kRecordEndOffset when the record has no more.
  virtual LONG NextPosition() const = 0;
  virtual void Finish() { m_finished = true; }

  bool IsFinished() const { return m_finished; }
  // The algorithm produces no event at or beyond this tick in the current step.
  LONG DataLimit() const { return m_dataLimit; }

  // What the enumerator does around each step of the algorithm.
  void PlaceSourcesAt(LONG tick, DWORD count) { m_sourcePositions.assign(count, tick); }
  void RestoreSources(const ParamsBase& params, LONG end, bool growing) const;
  void SaveSources(const ParamsBase& params);
  bool SourcesAtEnd(const ParamsBase& params) const;
  void SetDataLimit(LONG limit) { m_dataLimit = limit; }

 private:
  std::vector<LONG> m_sourcePositions;
  LONG m_dataLimit = 0;
  bool m_finished = false;
};

}  // namespace EEH3

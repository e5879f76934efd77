// The search engine of an enumerator: the checkpoints of every record read so far (a map keyed
// by record, so a record's index costs nothing) and the working state that the last search left,
// which the next search goes on with when it can.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "hostframework/eeh3/enumerator_algorithm.h"
#include "hostframework/eeh3/record_cache.h"

namespace EEH3 {

template <EnumeratorAlgorithm Algo>
class ChannelCache {
 public:
  using Params = typename Algo::Params;
  using State = typename Algo::State;
  using Event = typename Algo::Event;

  struct CurrentState {
    State state;
    LONG record;
    LONG reached;  // the state is complete up to here
    LONG resume;   // a search from here on may go on with this state
  };

  struct SearchResult {
    bool found = false;
    Event event{};
    LONG position = kRecordEndOffset;  // the event's tick, or how far the search got
  };

  static LONG TickOf(const Event& event) {
    LONG tick;
    std::memcpy(&tick, &event, sizeof tick);
    return tick;
  }

  void Reset() {
    m_records.clear();
    m_working.reset();
  }
  void DropWorkingState() { m_working.reset(); }
  // The enumerator has delivered everything before `tick`: searches from there on may go on
  // with the working state.
  void ResumeAt(LONG tick) {
    if (m_working) m_working->resume = tick;
  }

  // The first event of the current record at or after `start` and before `end` that the limit
  // range holds. Without one, the position tells how far the search got: the end, the record's
  // end (kRecordEndOffset), or, online, where the data ran out.
  SearchResult SearchForward(Params& params, bool online, LONG start, LONG end) {
    const RecordPositionRange& range = params.range;
    if (params.record < 0 || !range.CoversRecord(params.record)) return {};
    const LONG recordEnd = range.EndIn(params.record);
    if (start >= recordEnd) return {};
    const LONG limit = std::min(end, recordEnd);
    if (!CanContinue(params.record, start)) Restore(params, start);
    CurrentState& working = *m_working;
    SearchResult result;
    for (;;) {
      if (working.reached == kRecordEndOffset || working.reached >= recordEnd) return {};
      if (working.reached >= limit) {
        result.position = online ? limit : std::max(limit, start);
        return result;
      }
      const LONGLONG segmentEnd =
          (LONGLONG(CheckpointOf(working.reached)) + 1) * kCheckpointSpacing;
      const LONG stepLimit = LONG(std::min<LONGLONG>(limit, segmentEnd));
      const LONG before = working.reached;
      LONG reported = kRecordEndOffset;
      const bool produced =
          Step(working.state, params, result.event, stepLimit, recordEnd, online, reported);
      // The state never becomes complete up to less than it was.
      working.reached = reported == kRecordEndOffset ? reported : std::max(before, reported);
      if (working.reached >= segmentEnd) {
        m_records.at(params.record).Store(LONG(segmentEnd / kCheckpointSpacing), working.state);
      }
      if (produced) {
        const LONG tick = TickOf(result.event);
        if (tick >= start && range.Contains(tick, params.record)) {
          working.resume = result.position = tick;
          result.found = true;
          return result;
        }
      } else if (working.reached == before) {
        if (online) {  // the data ran out; the host asks again when there is more
          result.position = working.reached;
          return result;
        }
        // Offline, a step that neither produces nor moves never will.
        working.state.Finish();
        working.reached = kRecordEndOffset;
      }
    }
  }

  // The last event of the current record before `before` and not before `notBefore`: the
  // checkpoint segment that holds `before` is replayed, then the one below it, and so on.
  SearchResult SearchBackward(Params& params, bool online, LONG before, LONG notBefore) {
    const RecordPositionRange& range = params.range;
    if (params.record < 0 || !range.CoversRecord(params.record)) return {};
    const LONG lowest = std::max(notBefore, range.StartIn(params.record));
    if (before <= lowest) return {};
    for (LONG segment = CheckpointOf(before - 1);; --segment) {
      const LONG from = std::max(segment * kCheckpointSpacing, lowest);
      DropWorkingState();
      SearchResult last;
      for (SearchResult found = SearchForward(params, online, from, before); found.found;
           found = SearchForward(params, online, found.position, before)) {
        last = found;
      }
      if (last.found) {
        ResumeAt(last.position);
        return last;
      }
      if (from <= lowest) break;
    }
    DropWorkingState();
    return {};
  }

 private:
  bool CanContinue(LONG record, LONG start) const {
    return m_working && m_working->record == record && m_working->resume <= start;
  }

  // Makes the working state a copy of the checkpoint nearest at or below `start`.
  void Restore(const Params& params, LONG start) {
    auto cache = m_records.find(params.record);
    if (cache == m_records.end()) {
      // The algorithm sees the record from its start, also where the range starts later, so
      // that what it carries from event to event is the same wherever the range starts.
      State initial(0);
      initial.PlaceSourcesAt(0, params.SourceCount());
      cache = m_records.emplace(params.record, RecordCache<State>(initial)).first;
    }
    LONG standsAt = 0;
    const State& nearest = cache->second.NearestAtOrBelow(start, standsAt);
    m_working.emplace(CurrentState{nearest, params.record, standsAt, standsAt});
  }

  // One call of the algorithm on data before `limit`, with the sources where the state left
  // them. `reported` is how far the state got: at most the limit, or kRecordEndOffset.
  static bool Step(State& state, Params& params, Event& event, LONG limit, LONG recordEnd,
                   bool online, LONG& reported) {
    bool produced = false;
    if (state.NextPosition() < limit) {
      state.RestoreSources(params, recordEnd, online);
      state.SetDataLimit(limit);
      produced = Algo::FindNextEvent(state, params, event);
      state.SaveSources(params);
      // With no more data to come, the algorithm gets one call to give what it still holds.
      if (!produced && !online && state.NextPosition() < limit && state.SourcesAtEnd(params)) {
        state.Finish();
        produced = Algo::FindNextEvent(state, params, event);
        state.SaveSources(params);
      }
      if (state.NextPosition() == kRecordEndOffset) state.Finish();
    }
    const LONG next = state.NextPosition();
    reported = next >= recordEnd ? kRecordEndOffset : std::min(next, limit);
    return produced;
  }

  std::map<LONG, RecordCache<State>> m_records;
  std::optional<CurrentState> m_working;
};

}  // namespace EEH3

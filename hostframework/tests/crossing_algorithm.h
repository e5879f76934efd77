// A small stateful algorithm served through the enumerator framework in tests: an event at every
// upward crossing of a threshold by a sampled channel, numbered from the record's start and
// carrying the time since the previous crossing. Both depend on everything before the event, so
// reading from the middle of a record gives the right events only when the checkpoints are right.
#pragma once

#include <cmath>
#include <limits>
#include <new>
#include <vector>

#include "core/com_ptr.h"
#include "core/unit_entry.h"
#include "hostframework/eeh3/eeh3_enumerator.h"
#include "hostframework/eeh3/float_ex_wrapper.h"

namespace testing_algorithm {

struct CrossingEvent {
  LONG tick;
  float fraction;
  double interval;  // seconds since the previous crossing; NaN for the first
  LONG number;      // 1 for the record's first crossing
  DWORD reserved;
};
static_assert(sizeof(CrossingEvent) == 24);

inline bool operator==(const CrossingEvent& a, const CrossingEvent& b) {
  const bool sameInterval =
      a.interval == b.interval || (std::isnan(a.interval) && std::isnan(b.interval));
  return a.tick == b.tick && a.number == b.number && sameInterval;
}

// Tests set it to make the next copy of a parameter block fail as when memory runs out.
inline bool g_failNextParamsCopy = false;

// Parameter text: threshold, then the limit range.
class CrossingParams : public EEH3::ParamsBase {
 public:
  CrossingParams() = default;
  CrossingParams(const CrossingParams& other) : ParamsBase(other), threshold(other.threshold) {
    if (std::exchange(g_failNextParamsCopy, false)) throw std::bad_alloc();
  }
  CrossingParams& operator=(const CrossingParams&) = default;

  bool Read(std::wistream& in) override {
    return EEH3::ReadOptional(in, threshold, 0.5) && range.Read(in);
  }
  void Write(std::wostream& out) const override { out << threshold; }
  HRESULT BuildSources(IUnknown* const* objects, LONG count) override {
    Quor::ComPtr<IEnumFloatEx> signal;
    if (count > 0 && objects[0]) {
      objects[0]->QueryInterface(IEnumFloatEx::iid, Quor::ComPtrOut<IEnumFloatEx>::Bind(signal));
    }
    AddSource(new EEH3::FloatExWrapper(signal.Get()));
    return S_OK;
  }

  double threshold = 0.5;
};

class CrossingState : public EEH3::StateBase {
 public:
  explicit CrossingState(LONG start) : next(start) {}
  LONG NextPosition() const override { return next; }

  LONG next;
  LONG count = 0;
  LONG previousCrossing = kRecordEndOffset;
  float previous = -std::numeric_limits<float>::infinity();
};

struct Crossings {
  using Params = CrossingParams;
  using State = CrossingState;
  using Event = CrossingEvent;

  static DWORD EventTypeId() { return 0x12340001; }

  static bool FindNextEvent(State& state, Params& params, Event& event) {
    if (state.IsFinished()) {
      state.next = kRecordEndOffset;
      return false;
    }
    auto* signal = params.SourceAs<EEH3::FloatExWrapper>(0);
    while (signal->HasCurrent()) {
      const LONG tick = signal->Position();
      if (tick >= state.DataLimit()) {
        state.next = state.DataLimit();
        return false;
      }
      const float x = signal->Value();
      signal->Advance();
      const bool up = state.previous < params.threshold && x >= params.threshold;
      state.previous = x;
      state.next = tick + 1;
      if (up) {
        const double interval = state.previousCrossing == kRecordEndOffset
                                    ? std::numeric_limits<double>::quiet_NaN()
                                    : (tick - state.previousCrossing) * params.tickInterval;
        event = {tick, 0.0f, interval, ++state.count, 0};
        state.previousCrossing = tick;
        return true;
      }
    }
    state.next = signal->AtEnd() ? kRecordEndOffset : signal->Position();
    return false;
  }

  // Crossings carry intervals in seconds.
  static HRESULT CreateValueUnit(const Params&, IUnitName** unit) {
    Quor::UnitInfo seconds;
    seconds.name = u"s";
    *unit = new Quor::UnitEntry(seconds);
    (*unit)->AddRef();
    return S_OK;
  }
};

using CrossingEnumerator = EEH3::EEH3Enumerator<Crossings, 8>;

// The crossings computed directly, from the record's start.
inline std::vector<CrossingEvent> ExpectedCrossings(const std::vector<float>& samples,
                                                    double threshold, double tickInterval) {
  std::vector<CrossingEvent> events;
  float previous = -std::numeric_limits<float>::infinity();
  for (LONG t = 0; t < LONG(samples.size()); ++t) {
    if (previous < threshold && samples[t] >= threshold) {
      const double interval = events.empty() ? std::numeric_limits<double>::quiet_NaN()
                                             : (t - events.back().tick) * tickInterval;
      events.push_back({t, 0.0f, interval, LONG(events.size()) + 1, 0});
    }
    previous = samples[t];
  }
  return events;
}

}  // namespace testing_algorithm

#include "analysis/detection/fiducial_algorithm.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "analysis/engine/beat_classification.h"
#include "analysis/detection/signal_window.h"

namespace Rhyth {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The index of the first largest (or smallest) sample; NaN samples are never taken.
std::optional<std::size_t> FindExtreme(const std::vector<float>& samples, LONG type) {
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::isnan(samples[i])) continue;
    // A later equal sample does not replace the one held.
    if (!found || (type == kFiducialSmallest ? samples[i] < samples[*found]
                                             : samples[i] > samples[*found])) {
      found = i;
    }
  }
  return found;
}

// The first beat the user added at or after `tick` in the current record.
LONG UserAddedAtOrAfter(const FiducialParams& params, LONG tick) {
  const BeatPosition from{tick, params.record};
  BeatPosition found = kNoBeatPlace;
  if (!params.userEvents || params.userEvents->Find(&from, FALSE, &found) != S_OK ||
      found.record != params.record) {
    return kNoBeatPosition;
  }
  return found.offset;
}

bool RemovedByUser(const FiducialParams& params, LONG tick) {
  const BeatPosition place{tick, params.record};
  BeatPosition found = kNoBeatPlace;
  return params.userEvents && params.userEvents->Find(&place, TRUE, &found) == S_OK &&
         found == place;
}

// Nothing of the limit range can come before `limit`.
bool BeforeLimitRange(const FiducialParams& params, LONG limit) {
  const EEH3::RecordPositionRange& range = params.range;
  return params.record < range.startRecord ||
         (params.record == range.startRecord && limit < range.startOffset);
}

// The state is complete up to the earlier of two ticks, within the data limit; a tick of
// kRecordEndOffset says nothing more will come.
LONG CompleteUpTo(LONG a, LONG b, LONG limit) {
  const LONG earlier = std::min(a, b);
  return earlier == kRecordEndOffset ? kRecordEndOffset : std::min(earlier, limit);
}

// Whatever else the search can tell, nothing more comes before the beat given last: a position
// that fell back behind it would have the host read it again.
LONG NotBeforeLastBeat(const FiducialState& state, LONG next) {
  if (!state.HasPreviousBeat() || next == kRecordEndOffset) return next;
  return std::max(next, state.previousPosition + 1);
}

// Beats count on from the state's last one, or from the last one of the record before.
LONG NumberOf(const FiducialState& state, const FiducialParams& params, LONG tick) {
  if (!params.range.Contains(tick, params.record)) return 0;
  if (state.lastNumber > 0) return state.lastNumber + 1;
  DWORD stored = 0;
  if (params.eventIds) params.eventIds->GetId(DWORD(params.record - 1), &stored);
  return LONG(stored) + 1;
}

void RaiseStoredNumber(const FiducialParams& params, LONG number) {
  DWORD stored = 0;
  if (!params.eventIds || number <= 0) return;
  params.eventIds->GetId(DWORD(params.record), &stored);
  if (stored < DWORD(number)) params.eventIds->SetId(DWORD(params.record), DWORD(number));
}

FiducialEvent MakeBeat(const FiducialState& state, const FiducialParams& params, LONG tick,
                       bool byUser, const HjorthValues& measures) {
  FiducialEvent beat = kEmptyBeat;
  beat.position = tick;
  beat.fraction = 0.0f;
  if (!byUser) {
    beat.value = state.candidate.value;
    beat.referenceDistance = state.candidate.referenceDistance;
  }
  beat.beatNumber = NumberOf(state, params, tick);
  beat.variance = measures.variance;
  beat.mobility = measures.mobility;
  beat.ff = measures.formFactor;
  beat.rr = state.HasPreviousBeat() ? (double(tick) - (double(state.previousPosition) +
                                                       double(state.previousFraction))) *
                                          params.tickInterval
                                    : kNaN;
  beat.rate = 1.0 / beat.rr;
  beat.deltaRR = beat.rr - state.previousRR;
  const BeatLimits limits{params.minRR, params.maxRR, params.minFF, params.maxFF,
                          params.excludeEctopic};
  beat.flags = ClassifyBeat(limits, beat.rr, beat.ff, beat.deltaRR, state.previousFlags) |
               (byUser ? kBeatAddedByUser : 0);
  return beat;
}

void TakeBeat(FiducialState& state, const FiducialParams& params, const FiducialEvent& beat) {
  state.lastNumber = beat.beatNumber;
  state.previousPosition = beat.position;
  state.previousFraction = beat.fraction;
  state.previousRR = beat.rr;
  state.previousFlags = beat.flags;
  RaiseStoredNumber(params, beat.beatNumber);
}

}  // namespace

FiducialAlgorithm::Search FiducialAlgorithm::LocateFiducialPoint(FiducialState& state,
                                                                 FiducialParams& params) {
  if (state.HasCandidate()) return {state.candidate.position, true};
  EEH3::EventWrapper& reference = params.Reference();
  const LONG half = params.windowLength / 2;
  if (!reference.HasCurrent()) {
    // A later reference event cannot have its point before its window.
    return {reference.AtEnd() ? kRecordEndOffset : std::max(reference.Position() - half, 0),
            false};
  }
  const LONG r = reference.Position();
  const LONG s = std::max(r - half, 0);
  const SignalWindow window = ReadSignalWindow(params.Signal(), s, params.windowLength + 1);
  if (!window.complete) return {s, false};
  const std::optional<std::size_t> extreme = FindExtreme(window.samples, params.type);
  const LONG f = extreme ? s + LONG(*extreme) : r;
  // Where the data limit cuts the search, the same reference event is searched again later.
  if (f >= state.DataLimit()) return {state.DataLimit(), true};
  reference.Advance();
  if (f < state.searchFloor) return {state.searchFloor, true};
  state.candidate = kEmptyBeat;
  state.candidate.position = f;
  state.candidate.value = extreme ? double(window.samples[*extreme]) : kNaN;
  state.candidate.referenceDistance = f - r;
  state.searchFloor = s + LONG(window.samples.size());
  return {f, true};
}

LONG FiducialAlgorithm::NextCandidate(FiducialState& state, FiducialParams& params,
                                      bool clearFirst) {
  if (clearFirst) state.candidate = kEmptyBeat;
  for (;;) {
    const Search search = LocateFiducialPoint(state, params);
    if (state.HasCandidate()) {
      if (!RemovedByUser(params, state.candidate.position)) return search.position;
      state.candidate = kEmptyBeat;
    } else if (!search.decided || search.position >= state.DataLimit()) {
      return search.position;
    }
  }
}

bool FiducialAlgorithm::FindNextBeat(FiducialState& state, FiducialParams& params,
                                     FiducialEvent& beat) {
  const LONG limit = state.DataLimit();
  if (state.IsFinished()) {
    state.next = kRecordEndOffset;
    return false;
  }
  if (BeforeLimitRange(params, limit)) {
    state.next = limit;
    return false;
  }
  if (state.next >= limit) return false;
  const LONG detected = NextCandidate(state, params, false);
  const LONG added = UserAddedAtOrAfter(
      params, state.HasPreviousBeat() ? state.previousPosition + 1 : state.start);
  const bool byUser = added < detected;
  const LONG tick = byUser ? added : state.candidate.position;
  if (tick >= limit) {
    state.next = NotBeforeLastBeat(state, CompleteUpTo(added, detected, limit));
    return false;
  }
  HjorthValues measures;
  if (!MeasureWindow(params, tick, measures)) {
    state.next = tick;
    return false;
  }
  beat = MakeBeat(state, params, tick, byUser, measures);
  TakeBeat(state, params, beat);
  // A beat the user added leaves the detected candidate waiting for its turn.
  const LONG following = byUser ? detected : NextCandidate(state, params, true);
  const LONG nextAdded = UserAddedAtOrAfter(params, tick + 1);
  state.next = NotBeforeLastBeat(state, CompleteUpTo(nextAdded, following, limit));
  return true;
}

bool FiducialAlgorithm::MeasureWindow(FiducialParams& params, LONG tick,
                                      HjorthValues& measures) {
  const LONG n = params.windowLength;
  const SignalWindow window = ReadSignalWindow(params.Signal(), std::max(tick - n / 2, 0), n);
  if (!window.complete) return false;
  const PendrelRateRatio ratio = params.Signal().GetRateRatio();
  const double sampleInterval =
      params.tickInterval * double(ratio.denominator) / double(ratio.numerator);
  measures = HjorthMeasures(window.samples, sampleInterval, std::size_t(n * 0.05 + 0.5));
  return true;
}

}  // namespace Rhyth

// The beats of a record: around each reference event (a peak the host's detector found) the
// fiducial point is the largest or the smallest sample of a window; the beats the user added
// join the detected ones and those the user removed leave; each beat is numbered, measured over
// a window of the signal, given its RR and classified.
#pragma once

#include "analysis/detection/fiducial_event.h"
#include "analysis/detection/fiducial_params.h"
#include "analysis/detection/fiducial_state.h"
#include "analysis/detection/hjorth_measures.h"

namespace Rhyth {

class FiducialAlgorithm {
 public:
  // How far a search for fiducial points got, and whether it decided on a reference event
  // (took its point as the candidate, or passed it over).
  struct Search {
    LONG position;
    bool decided;
  };

  // The candidate for the current reference event; without one, the tick up to which the
  // search is complete, or kRecordEndOffset after the last reference event.
  static Search LocateFiducialPoint(FiducialState& state, FiducialParams& params);
  // Goes on to the next candidate that the user did not remove, or as far as the data allows.
  static LONG NextCandidate(FiducialState& state, FiducialParams& params, bool clearFirst);
  // The next beat before the state's data limit; always leaves the state's next position.
  static bool FindNextBeat(FiducialState& state, FiducialParams& params, FiducialEvent& beat);
  // The measures of the window around a beat at `tick`; false while the window's samples are
  // still to come.
  static bool MeasureWindow(FiducialParams& params, LONG tick, HjorthValues& measures);
};

}  // namespace Rhyth

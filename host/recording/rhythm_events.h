// What the built-in sample's heart does besides beating at its mean rate: sudden changes of
// rate, pauses, premature beats and beats of another height, each at a time of the recording.
// The sample's settings hold them; the beat schedule applies them as the heart reaches them.
#pragma once

#include <vector>

namespace PendrelHost {

struct RateChange {
  double time;       // s: intervals that begin at or after it
  double heartRate;  // take this mean rate, in beats per minute
};

struct Pause {
  double time;    // s: the first interval that begins at or after it
  double length;  // lasts this long, in s
};

// The interval that begins with the first beat at or after `time` is cut to `coupling` of its
// length, so that the beat closing it comes early; a compensatory pause follows, which puts the
// beat after it where the rhythm would have put it.
struct PrematureBeat {
  double time;      // s
  double coupling;  // of the interval, above 0 and below 1
};

struct BeatHeight {
  double time;    // s: the first beat at or after it
  double factor;  // has its QRS complex this many times as tall
};

struct RhythmEvents {
  std::vector<RateChange> rateChanges;
  std::vector<Pause> pauses;
  std::vector<PrematureBeat> prematureBeats;
  std::vector<BeatHeight> beatHeights;
};

}  // namespace PendrelHost

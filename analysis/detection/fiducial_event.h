// The beat record: one detected heartbeat as the fiducial enumerator produces it and the
// engine, the views and the beat marks read it. Its 80-byte layout crosses the host boundary.
#pragma once

#include <cmath>
#include <cstddef>

#include "platform/win32/types.h"

namespace Rhyth {

// Flags: the low byte is the beat's class.
constexpr DWORD kBeatClassMask = 0xFF;
constexpr DWORD kBeatUnclassified = 0xFF;
constexpr DWORD kBeatRROutsideLimits = 0x1;  // an ectopic kind: RR outside its limits
constexpr DWORD kBeatFFOutsideLimits = 0x2;  // an ectopic kind: FF outside its limits
constexpr DWORD kBeatRRUsable = 0x100;
constexpr DWORD kBeatDeltaUsable = 0x200;
// Both usable flags: the beat enters the RR series.
constexpr DWORD kBeatAdmitted = kBeatRRUsable | kBeatDeltaUsable;
constexpr DWORD kBeatAddedByUser = 0x10000;

constexpr LONG kNoBeatPosition = 0x7FFFFFFF;

struct FiducialEvent {
  LONG position;          // tick of the fiducial point; kNoBeatPosition for none
  float fraction;         // sub-tick offset of the point
  double value;           // signal value at the point
  LONG referenceDistance; // ticks from the reference event
  LONG beatNumber;
  double variance;
  double mobility;
  double ff;              // the classifier's second measure ("Beat Complexity")
  double rr;              // seconds
  double deltaRR;         // change of RR, seconds
  double rate;            // beats per second
  DWORD flags;
  DWORD reserved;

  bool IsAdmitted() const { return (flags & kBeatAdmitted) == kBeatAdmitted; }
  bool IsNormal() const { return (flags & kBeatClassMask) == 0; }
  // A beat the engine can read: it has a position, an RR interval and a change of RR.
  bool IsValid() const {
    return position != kNoBeatPosition && !std::isnan(rr) && !std::isnan(deltaRR);
  }
};

// A record not yet filled: no position, every measure 0, unclassified.
inline constexpr FiducialEvent kEmptyBeat = {kNoBeatPosition, 0.0f, 0.0, 0, 0, 0.0, 0.0, 0.0,
                                             0.0,             0.0,  0.0, kBeatUnclassified, 0};

static_assert(sizeof(FiducialEvent) == 80);
static_assert(offsetof(FiducialEvent, position) == 0);
static_assert(offsetof(FiducialEvent, fraction) == 4);
static_assert(offsetof(FiducialEvent, value) == 8);
static_assert(offsetof(FiducialEvent, referenceDistance) == 16);
static_assert(offsetof(FiducialEvent, beatNumber) == 20);
static_assert(offsetof(FiducialEvent, variance) == 24);
static_assert(offsetof(FiducialEvent, mobility) == 32);
static_assert(offsetof(FiducialEvent, ff) == 40);
static_assert(offsetof(FiducialEvent, rr) == 48);
static_assert(offsetof(FiducialEvent, deltaRR) == 56);
static_assert(offsetof(FiducialEvent, rate) == 64);
static_assert(offsetof(FiducialEvent, flags) == 72);

}  // namespace Rhyth

#include "analysis/engine/beat_classification.h"

#include <cmath>

#include "analysis/detection/fiducial_event.h"

namespace Rhyth {

DWORD ClassifyBeat(const BeatLimits& limits, double rr, double ff, double deltaRR,
                   DWORD previousFlags) {
  if (std::isnan(rr) || std::isnan(ff)) return kBeatUnclassified;
  DWORD beatClass = 0;
  if (limits.minRR > rr || rr > limits.maxRR) beatClass |= kBeatRROutsideLimits;
  if (limits.minFF > ff || ff > limits.maxFF) beatClass |= kBeatFFOutsideLimits;
  DWORD flags = beatClass;
  if (!limits.excludeEctopic || beatClass == 0) flags |= kBeatRRUsable;
  const bool bothNormal = beatClass == 0 && (previousFlags & kBeatClassMask) == 0;
  if (!std::isnan(deltaRR) && (!limits.excludeEctopic || bothNormal)) flags |= kBeatDeltaUsable;
  return flags;
}

}  // namespace Rhyth

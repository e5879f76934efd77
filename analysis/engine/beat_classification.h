// A beat's class and usable flags, from its RR and form factor against their limits (both
// inclusive). An ectopic beat (a nonzero class) loses its usable flags when ectopic beats are
// excluded, and so does the change of RR of a beat that follows one.
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

struct BeatLimits {
  double minRR;
  double maxRR;
  double minFF;
  double maxFF;
  bool excludeEctopic;
};

// Unclassified when the RR or the form factor is not known.
DWORD ClassifyBeat(const BeatLimits& limits, double rr, double ff, double deltaRR,
                   DWORD previousFlags);

}  // namespace Rhyth

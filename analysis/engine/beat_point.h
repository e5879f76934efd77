// One beat as a point of a scatter plot: the classifier plot (x = RR, y = FF) or the Poincaré
// plot (x = the previous RR, y = RR).
#pragma once

#include "core/array_ctor.h"
#include "platform/win32/types.h"

namespace Rhyth {

struct BeatPoint {
  double x;
  double y;
  LONG beatNumber;
  LONG position;  // tick of the beat in its record
  LONG record;
};

using BeatPointArray = CArrayCtor<BeatPoint, 64, 1>;

}  // namespace Rhyth

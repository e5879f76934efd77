// The value event of the selector enumerator: one beat measure at the beat's tick. Its 16-byte
// layout crosses the host boundary.
#pragma once

#include <cstddef>

#include "platform/win32/types.h"

namespace Rhyth {

struct SelectorEvent {
  LONG position;   // the beat's position rounded to a whole tick
  float fraction;  // what the rounding left: the beat lies at position + fraction
  double value;
};

static_assert(sizeof(SelectorEvent) == 16);
static_assert(offsetof(SelectorEvent, position) == 0);
static_assert(offsetof(SelectorEvent, fraction) == 4);
static_assert(offsetof(SelectorEvent, value) == 8);

}  // namespace Rhyth

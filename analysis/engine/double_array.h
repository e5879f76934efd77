// The engine's series, histogram counts and periodogram: growable arrays of doubles whose new
// elements are 0, keeping their capacity when emptied.
#pragma once

#include "core/array_ctor.h"

namespace Rhyth {

using DoubleArray = CArrayCtorInit<double, 64, 1>;

}  // namespace Rhyth

// Applying a centred FIR filter to a stretch of samples.
#pragma once

#include <cstddef>

#include "host/channels/fir_taps.h"

namespace PendrelHost {

// output[i] for i in [0, count); input[i] is the sample under output[i], and input must be
// readable from input[-reach] to input[count - 1 + reach]. The buffers do not overlap.
void ApplyFir(const FirTaps& taps, const float* input, float* output, std::size_t count);

}  // namespace PendrelHost

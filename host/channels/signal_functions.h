// The host's own functions of the channel language:
//   lowpass(x, fc)                   windowed-sinc low-pass, unit DC gain; fc >= 0.45 fs passes x
//   differentiate(x, k)              least-squares slope over k points (an even k takes k + 1), per second
//   resample(x, 1, 1, 1, N, 0, 2)    an N-tap Hilbert transformer (an even N takes N + 1), so that
//                                    x*x + H*H is the squared envelope; no other form
//   normalizeSec(x, W, H, noise)     moving z-score over W seconds starting H seconds before each sample
//   cmpeakdet(x, h, Tmin, p)         events at the peaks of excursions above h, Tmin seconds apart at
//                                    least, with a hysteresis of p percent of h
//   sinewave(f)                      sin(2 pi f t) from each record's start
// Every filter is centred (no delay) with mirrored edges. Names match in any case.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "host/channels/channel_value.h"
#include "host/channels/compile_context.h"

namespace PendrelHost {

// Nothing when `name` is not one of them; throws ChannelError for arguments that do not fit.
std::optional<ChannelValue> CallSignalFunction(std::string_view name, std::vector<ChannelValue> arguments,
                                               const CompileContext& context);

}  // namespace PendrelHost

// The measures of a beat's signal window that classify its form: the variance of the signal,
// its mobility (how fast it changes against how much) and its form factor (how the change
// itself changes). The first derivative is smoothed before use, so that sampling noise does not
// dominate the second.
#pragma once

#include <span>

namespace Rhyth {

struct HjorthValues {
  double variance;
  double mobility;
  double formFactor;
};

// `interval` is the seconds between samples; the first derivative is smoothed over
// `smoothing` values. Measures of a flat or too short window follow IEEE division (infinity or
// NaN).
HjorthValues HjorthMeasures(std::span<const float> samples, double interval,
                            std::size_t smoothing);

}  // namespace Rhyth
